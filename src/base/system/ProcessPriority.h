#pragma once

namespace core {

// The nice value that stands for the priority option at index (Idle, Normal, High, Realtime); 0 for others.
int niceValueForPriority(int index);

// Gives every thread of the process the nice value of the priority option at index. Linux keeps a nice value
// per thread, so setting only the calling thread would leave the audio and synthesis threads behind. Failures
// (no right to raise the priority, a thread that ended meanwhile) are ignored.
void setProcessPriority(int index);

} // namespace core
