#pragma once

#include <QtGlobal>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace encoder {

// Hands audio from the thread that makes it to a thread of its own that encodes it, so synthesis and encoding run
// on two cores at once. At most a bound of samples waits in between: a producer ahead of the encoder waits, so
// memory stays small however long the text is.
//
// The encoding function returns false when it failed (a full disk); from then on the rest of the audio is dropped
// unencoded and push() says so, and the owner reads the reason from wherever the function left it.
class EncoderQueue {
public:
    using Encode = std::function<bool(const qint16* samples, qint64 count)>;

    // The thread starts here. maxQueuedSamples is raised to the size of any single block pushed.
    EncoderQueue(qint64 maxQueuedSamples, Encode encode);
    // Cancels what is still queued.
    ~EncoderQueue();
    EncoderQueue(const EncoderQueue&) = delete;
    EncoderQueue& operator=(const EncoderQueue&) = delete;

    // Copies the block into the queue, waiting while it is full; false once encoding failed or was cancelled.
    bool push(const qint16* samples, qint64 count);
    // Waits until everything pushed is encoded and ends the thread; false when encoding failed or was cancelled.
    bool finish();
    // Drops what is queued, waits for the block in the encoder and ends the thread.
    void cancel();

private:
    void run();
    void stop(bool dropQueued);

    Encode m_encode;
    qint64 m_maxQueued;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<qint16>> m_blocks;
    std::vector<std::vector<qint16>> m_spare; // blocks already encoded, kept so the buffers are reused
    qint64 m_queued = 0;                      // samples in m_blocks and in the block being encoded
    bool m_ending = false;                    // no more blocks come
    bool m_stopped = false;                   // the encoder failed or the queue was cancelled
    std::thread m_thread;                     // last: it starts running when constructed
};

} // namespace encoder
