#include "io/three_mf.h"

namespace fcw {

// This build has no 3MF library: both directions are refused with that reason.
bool writeThreeMf(const std::string&, const std::vector<TriangleCore>&, double,
                  std::string* error) {
    if (error) {
        *error = "この版では 3MF を扱えません";
    }
    return false;
}

ThreeMfRead readThreeMf(const std::string&, double) {
    ThreeMfRead r;
    r.error = "この版では 3MF を扱えません";
    return r;
}

} // namespace fcw
