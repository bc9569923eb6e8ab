// The process's table of hosts and the defaults used where it names none.
#include "saver/hosts.h"

#include "draw2d/soft/soft_driver.h"

namespace {

SaverHosts& Table() {
    static SaverHosts hosts;
    return hosts;
}

} // namespace

void SetSaverHosts(const SaverHosts& hosts) {
    Table() = hosts;
}

const SaverHosts& CurrentSaverHosts() {
    return Table();
}

DrawDriverPtr MakeHostDriver() {
    if (Table().makeDriver)
        if (DrawDriverPtr driver = Table().makeDriver()) return driver;
    return SoftwareDriver();
}

bool SelectHostGadgetHost() {
    return Table().selectGadgetHost && Table().selectGadgetHost();
}
