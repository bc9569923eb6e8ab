// The GTK pump source: one GLib main-loop iteration split across the pump's rounds.
#include "gui/gtk/gtk_pump.h"

namespace {

// Iterations a Dispatch may run; an idle source that keeps re-arming cannot hold the pump.
constexpr int kMaxIterations = 32;

} // namespace

GtkPumpSource::GtkPumpSource() : context_(g_main_context_default()) {
    g_main_context_acquire(context_);
}

GtkPumpSource::~GtkPumpSource() {
    g_main_context_release(context_);
}

int GtkPumpSource::PrepareWait(std::vector<PumpFd>& fds) {
    ready_ = false;
    const bool prepared = g_main_context_prepare(context_, &priority_) != 0;
    gint timeout = -1;
    gint wanted = static_cast<gint>(pollFds_.size());
    for (;;) {
        const gint count = g_main_context_query(context_, priority_, &timeout, pollFds_.data(), wanted);
        if (count <= wanted) {
            pollFds_.resize(static_cast<size_t>(count));
            break;
        }
        wanted = count;
        pollFds_.resize(static_cast<size_t>(count));
    }
    for (const GPollFD& fd : pollFds_)
        fds.push_back(PumpFd{fd.fd, static_cast<short>(fd.events), 0});
    return prepared ? 0 : timeout;
}

void GtkPumpSource::FinishWait(const PumpFd* fds, size_t count) {
    for (size_t i = 0; i < pollFds_.size(); ++i)
        pollFds_[i].revents = i < count ? static_cast<gushort>(fds[i].revents) : 0;
    ready_ = g_main_context_check(context_, priority_, pollFds_.data(), static_cast<gint>(pollFds_.size())) != 0;
}

void GtkPumpSource::Dispatch() {
    if (ready_) {
        ready_ = false;
        g_main_context_dispatch(context_);
    }
    for (int i = 0; i < kMaxIterations && g_main_context_iteration(context_, FALSE); ++i) {
    }
}
