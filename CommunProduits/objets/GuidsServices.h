#pragma once

#include "objets/Guid.h"

namespace kv {

// Identifiers of the services that the application registers in the extension
// dictionary. Each service interface takes its IID from here, so that the
// table stays the one source.
inline constexpr TGUID GUID_IInformationApplication =
    GuidLitteral("{BA438C2C-D1FB-4457-82B3-52BF1C57E4E1}");
inline constexpr TGUID GUID_IContexteExecution =
    GuidLitteral("{E6DCE300-4977-43EE-B67C-2FAC5A354AB8}");
inline constexpr TGUID GUID_ISurchargeRepertoiresWindows =
    GuidLitteral("{FF8041E9-5993-4B71-9F0B-0012AAB871B3}");
inline constexpr TGUID GUID_IDossierSpecial =
    GuidLitteral("{97D44588-E77B-4674-AF7C-41BC63C241CF}");
inline constexpr TGUID GUID_IGestionIcu = GuidLitteral("{44B5EEF8-E09E-4EC9-BEFB-D4F22BDC7FA6}");
inline constexpr TGUID GUID_IGestionGlobaleEvenements =
    GuidLitteral("{B687BBC8-AF2D-44AE-BD9F-EB8D62C33AF0}");
inline constexpr TGUID GUID_IListePersistanceParametresApplicatif =
    GuidLitteral("{B2EA519B-0992-4FCB-A983-1B7EDE147D27}");
inline constexpr TGUID GUID_IAttente = GuidLitteral("{6D833844-7B19-415A-8A8E-41181CDF1B18}");

}  // namespace kv
