#pragma once

#include <string>

// A yes/no setting as the reports and the lap dialog show it.
inline std::string yesNo(bool flag) {
    return flag ? "Yes" : "No";
}
