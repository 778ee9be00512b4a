#pragma once
// Tells a dialog that is getting on with its work from one that waits for the user. The script
// runner's waits count only the time in which nothing has moved: the same windows, titles,
// texts and progress bar positions, and a user-interface thread that answers at once (one that
// does not is busy working). A long export in its progress dialog therefore never runs out of
// time, while a dialog that waits for input that never comes still does.
#include "automation/dialog_driver.h"

#include <string>

// What the user would see of the dialogs of the scope, as one text; busy is set when the
// user-interface thread did not answer within a short time.
std::wstring dialogActivity(const DialogScope& scope, bool& busy);

class CMyStillClock {
  public:
    explicit CMyStillClock(const DialogScope& scope);
    // Looks again (at most a few times a second); the seconds since the dialogs last moved.
    double stillSeconds();
    void restart();

  private:
    DialogScope scope_;
    std::wstring last_;
    ULONGLONG since_ = 0;
    ULONGLONG lookedAt_ = 0;
};
