// /HOURS and /DAYS: the part of the week in which the session nudges.
// Outside it the session rests and the PC dims, locks and sleeps as its
// power plan says; the local clock is read at each tick, so a clock or
// time zone change counts from the next one.
#pragma once

// True without /HOURS and /DAYS. Hours that span midnight belong to the
// day they start on: Friday 22:00-6:00 runs into Saturday morning.
bool WithinWorkingHours();
