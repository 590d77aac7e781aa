#include "common/UserDialogs.h"

#include "common/QtDialogs.h"

namespace {
UserDialogs* installed = nullptr;
}

UserDialogs& UserDialogs::current() {
    if (!installed) {
        static QtDialogs fallback;
        return fallback;
    }
    return *installed;
}

UserDialogs* UserDialogs::install(UserDialogs* dialogs) {
    UserDialogs* previous = installed;
    installed = dialogs;
    return previous;
}
