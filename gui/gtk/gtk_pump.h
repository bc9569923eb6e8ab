// The GTK source of the host pump: GLib's default main context, prepared, queried, checked and
// dispatched by the pump so that WaitSystem sleeps in one poll over GTK's descriptors and the
// other sources'.
#pragma once

#include "gui/events/pump.h"

#include <glib.h>

#include <vector>

class GtkPumpSource : public PumpSource {
public:
    // Takes ownership of the default main context for the event thread.
    GtkPumpSource();
    ~GtkPumpSource() override;

    void Dispatch() override;
    int PrepareWait(std::vector<PumpFd>& fds) override;
    void FinishWait(const PumpFd* fds, size_t count) override;

private:
    GMainContext* context_;
    std::vector<GPollFD> pollFds_;
    gint priority_ = 0;
    // The last check found sources ready to dispatch.
    bool ready_ = false;
};
