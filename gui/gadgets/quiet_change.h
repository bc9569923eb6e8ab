// A marker for host calls that change a control: while one is active, what the control reports
// back (a toggled box, a switched page) is not the user's doing and sends no event.
#pragma once

class QuietChange {
public:
    QuietChange() { ++depth_; }
    ~QuietChange() { --depth_; }
    QuietChange(const QuietChange&) = delete;
    QuietChange& operator=(const QuietChange&) = delete;
    static bool Active() { return depth_ > 0; }

private:
    static inline int depth_ = 0;
};
