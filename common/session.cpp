#include "common/session.h"

Session& Session::current() {
    static Session session;
    return session;
}
