#pragma once

#include "core/Result.h"

#include <QString>

#include <functional>

namespace speech {
class Voice;
}

namespace wav {

// One render of a text into a sound file through the voice, with no window: the text is taken once the progress
// is in place, rendered while the progress may cancel it, the voice is pointed back at the device, and what
// happened goes to the log. A failed or cancelled render leaves no file behind and no older file replaced.
// WavSaver adds the window's part: the file name fields, the progress dialog and the boxes.
class RenderJob {
public:
    // How far the render has come, and the way to stop it.
    class Progress {
    public:
        virtual ~Progress() = default;
        // Called while the render runs, with the share rendered in percent: true to go on, false to cancel.
        virtual bool report(int percent) = 0;
        virtual bool cancelled() const = 0;
        // The render is over, before anything is logged or cleaned up.
        virtual void finish() = 0;
    };

    struct Steps {
        // The text to render; fails with the reason when it cannot be prepared.
        std::function<core::ResultOf<QString>()> text;
        // Points the voice back at the sound device; may be empty.
        std::function<void()> backToDevice;
        // Writes a line into the event log; may be empty.
        std::function<void(const QString& line)> log;
        Progress* progress = nullptr;
    };

    RenderJob(speech::Voice& voice, Steps steps);

    // Renders the text into path in the output format formatCode with the speak flags; blocks until the file is
    // written. A failure is logged and returned as "Save to WAV ''path'' Error: " and the reason.
    core::Result run(const QString& path, int formatCode, quint32 flags);

private:
    core::Result render(const QString& path, int formatCode, quint32 flags, bool& streamOpen);
    void log(const QString& line) const;
    void backToDevice() const;

    speech::Voice& m_voice;
    Steps m_steps;
};

} // namespace wav
