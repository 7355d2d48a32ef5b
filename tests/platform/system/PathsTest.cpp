#include <gtest/gtest.h>

#include "platform/system/Paths.h"
#include "support/QtPrinters.h"

namespace {

struct HostIs {
    explicit HostIs(const QString& name) { sys::OverrideHostName(name); }
    ~HostIs() { sys::OverrideHostName(std::nullopt); }
};

TEST(Paths, NetworkPathsGoThereAndBack) {
    const struct { const char* path; const char* network; const char* own; } cases[] = {
        {"C:\\dati\\ditte.mdb", "\\\\SRV\\C\\dati\\ditte.mdb", "/C/dati/ditte.mdb"},
        {"/srv/contab/ditte.mdb", "\\\\SRV\\srv\\contab\\ditte.mdb", "/srv/contab/ditte.mdb"},
        {"/srv/contab\\ROSSI\\00007_2004.mdb", "\\\\SRV\\srv\\contab\\ROSSI\\00007_2004.mdb",
         "/srv/contab/ROSSI/00007_2004.mdb"},
        {"\\\\NAS\\dati\\ditte.mdb", "\\\\NAS\\dati\\ditte.mdb", "\\\\NAS\\dati\\ditte.mdb"},
    };
    for (const auto& c : cases) {
        const QString network = sys::NetworkPath("SRV", c.path);
        EXPECT_EQ(network, c.network) << c.path;
        EXPECT_EQ(sys::OwnPath(network, "SRV"), c.own) << c.path;
    }
    EXPECT_EQ(sys::OwnPath("\\\\SRVX\\dati", "SRV"), "\\\\SRVX\\dati") << "another computer";
    EXPECT_EQ(sys::OwnPath("\\\\SRV\\", "SRV"), "\\\\SRV\\") << "no path after the name";
}

TEST(Paths, LocalPathMapsThisAndOtherComputers) {
    HostIs host("studio1");
    qputenv("FASCOLE_MOUNT_ROOT", "/media/rete/");
    EXPECT_EQ(sys::LocalPath("\\\\STUDIO1\\srv\\dati\\a.mdb"), "/srv/dati/a.mdb");
    EXPECT_EQ(sys::LocalPath("\\\\server\\C\\dati\\a.mdb"), "/media/rete/server/C/dati/a.mdb");
    EXPECT_EQ(sys::LocalPath("/home/u/dati\\a.mdb"), "/home/u/dati/a.mdb");
    qunsetenv("FASCOLE_MOUNT_ROOT");
    EXPECT_EQ(sys::LocalPath("\\\\server\\C"), "/mnt/server/C");
}

}  // namespace
