#pragma once

#include <string>

namespace quendal::common {

// The signed-in user. The name outlives the login form: the main window's
// caption, the log and every drawing header read it.
class Session {
public:
    static Session& current();

    std::string UserName;
};

}  // namespace quendal::common
