#pragma once

#include <QString>

namespace Firebird {
class IMaster;
class IUtil;
class IProvider;
} // namespace Firebird

// The client library's entry points, set up once per process. Before the
// library is first used it points FIREBIRD at a private configuration folder
// (classic server mode, so several processes may open the same file through
// the embedded engine) that links to the system's intl, plugins and messages.
class FbEnvironment {
public:
    static FbEnvironment& instance();

    Firebird::IMaster* master() const { return master_; }
    Firebird::IUtil* util() const { return util_; }
    Firebird::IProvider* provider() const { return provider_; }

    // True when the location goes to the embedded engine (a plain file
    // path), false for "host:path" or "host/port:path".
    static bool isLocalPath(const QString& database);

    // Prepares the private configuration folder and sets FIREBIRD; must run
    // before the library reads its configuration (instance() calls it).
    static void prepareConfiguration();

private:
    FbEnvironment();
    Firebird::IMaster* master_ = nullptr;
    Firebird::IUtil* util_ = nullptr;
    Firebird::IProvider* provider_ = nullptr;
};
