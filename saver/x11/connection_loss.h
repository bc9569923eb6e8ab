// What the program does when its connection to the X server breaks: it ends at once, with status 0.
#pragma once

// Makes a broken X connection end the process quietly with status 0 instead of Xlib's status 1.
// The running flag (an flock) goes with the process. Toolkits that install their own handler when
// they open the display (GTK does) need this called again after they start.
void EndWhenTheXServerGoes();
