#include "tests/support/scratch_folder.h"

#include <stdlib.h>

#include <algorithm>
#include <stdexcept>

namespace regsmith::testing {

ScratchFolder::ScratchFolder(const std::string& name) {
    std::string flat = name;
    std::replace(flat.begin(), flat.end(), '/', '-');
    std::string pattern = (std::filesystem::temp_directory_path() / ("regsmith-" + flat + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder " + pattern);
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    if (!keep_) std::filesystem::remove_all(path_, ignored);
}

}  // namespace regsmith::testing
