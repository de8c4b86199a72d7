// The desktop as the program reaches it: opening a web address through the
// desktop's opener, and the system's own error number when it cannot start.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "shell/window/qt_display_environment.h"
#include "window_fixture.h"

namespace velmoran::test {
namespace {

// Runs with PATH, BROWSER and DEFAULT_BROWSER pointing nowhere, so that
// neither the opener nor Qt's own search finds a browser of this machine.
class NoBrowser {
public:
    explicit NoBrowser(const QString& path) {
        for (const char* name : {"PATH", "BROWSER", "DEFAULT_BROWSER"}) saved_.push_back({name, qgetenv(name)});
        qputenv("PATH", QFile::encodeName(path));
        qunsetenv("BROWSER");
        qunsetenv("DEFAULT_BROWSER");
    }
    ~NoBrowser() {
        for (const auto& [name, value] : saved_) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }
    NoBrowser(const NoBrowser&) = delete;
    NoBrowser& operator=(const NoBrowser&) = delete;

private:
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

QString script(const QTemporaryDir& dir, const QString& name, const QByteArray& body, bool executable) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(body);
    f.close();
    QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
    if (executable) p |= QFile::ExeOwner;
    f.setPermissions(p);
    return path;
}

TEST(DisplayEnvironment, AnOpenerThatStartsOpensTheAddress) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString seen = dir.filePath(QStringLiteral("seen"));
    const QString opener = script(dir, QStringLiteral("opener"),
                                  "#!/bin/sh\nprintf '%s' \"$1\" > \"" + QFile::encodeName(seen) + "\"\n", true);
    shell::QtDisplayEnvironment display;
    display.setOpener(opener);
    const LinkResult r = display.openLink("https://example.org/slots");
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.lastError, 0);
    ASSERT_TRUE(waitFor([&] { return QFile::exists(seen) && QFile(seen).size() > 0; }, 5000));
    QFile f(seen);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "https://example.org/slots");
}

TEST(DisplayEnvironment, AnOpenerThatCannotStartReportsTheSystemsErrorNumber) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const NoBrowser nowhere(dir.path());
    shell::QtDisplayEnvironment display;

    // Nowhere on the PATH.
    display.setOpener(QStringLiteral("velmoran-no-such-opener"));
    LinkResult r = display.openLink("https://example.org/");
    EXPECT_FALSE(r.opened);
    EXPECT_EQ(r.lastError, ENOENT);

    // There, but not allowed to run.
    display.setOpener(script(dir, QStringLiteral("locked"), "#!/bin/sh\nexit 0\n", false));
    r = display.openLink("https://example.org/");
    EXPECT_FALSE(r.opened);
    EXPECT_EQ(r.lastError, EACCES);
}

}  // namespace
}  // namespace velmoran::test
