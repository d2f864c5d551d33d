// ESET Smart Security: its installers are "ess_<architecture>_<language>.exe".

#include "catalogue/programs/eset_home_product.h"

namespace brivane::programs {

std::unique_ptr<TBaseSoftware> MakeESETSmartSecurity() {
    return MakeESETHomeProduct("ESET Smart Security",
                               "https://www.eset.com/int/home/smart-security/download/");
}

} // namespace brivane::programs
