#include "common/session.h"

namespace quendal::common {

Session& Session::current() {
    static Session session;
    return session;
}

}  // namespace quendal::common
