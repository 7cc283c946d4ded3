#pragma once
// What About Regsmith says: version, build date and commit (where the build
// knew them), the Qt version it runs on and the licence.

#include <QString>

#include <cstddef>

namespace regsmith::host {

inline constexpr const char* kLicence = "MIT";

// The About box's rich text; `models` is the number of device models loaded.
QString AboutText(std::size_t models);

}  // namespace regsmith::host
