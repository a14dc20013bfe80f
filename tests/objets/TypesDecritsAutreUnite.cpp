#include "TypesDecrits.h"

namespace kv::test {

const TInfoType& InfoTypeToutesFormesAutreUnite() { return InfoTypeDe<TypeToutesFormes>(); }

const TInfoTypeInterface& InfoTypeSimpleAutreUnite() { return InfoTypeInterfaceDe<ISimple>(); }

}  // namespace kv::test
