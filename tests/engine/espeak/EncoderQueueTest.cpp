#include "engine/espeak/EncoderQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

namespace {

constexpr qint64 kBlock = 100;

// The producer never runs more than the bound (plus the block in the encoder) ahead, and every block arrives whole
// and in order.
TEST(EncoderQueueTest, HoldsAtMostItsBoundAndDeliversEveryBlockInOrder)
{
    std::atomic<qint64> pushed{0};
    std::vector<qint16> received;
    encoder::EncoderQueue queue(3 * kBlock, [&](const qint16* samples, qint64 count) {
        EXPECT_LE(pushed.load() - qint64(received.size()), 3 * kBlock + count);
        received.insert(received.end(), samples, samples + count);
        for (int i = 0; i < 1000; ++i)
            std::this_thread::yield(); // slower than the producer
        return true;
    });
    std::vector<qint16> sent(kBlock * 50);
    for (size_t i = 0; i < sent.size(); ++i)
        sent[i] = qint16(i);
    for (qint64 at = 0; at < qint64(sent.size()); at += kBlock) {
        ASSERT_TRUE(queue.push(sent.data() + at, kBlock));
        pushed += kBlock;
    }
    EXPECT_TRUE(queue.finish());
    EXPECT_EQ(received, sent);
}

// A producer waiting on a full queue must not wait for ever when the encoder fails (a full disk): it learns of it,
// and nothing after the failed block is encoded.
TEST(EncoderQueueTest, AnEncoderFailureReleasesAWaitingProducerAndStopsEncoding)
{
    std::promise<void> entered, release;
    int calls = 0;
    encoder::EncoderQueue queue(kBlock, [&](const qint16*, qint64) {
        if (++calls == 1) {
            entered.set_value();
            release.get_future().wait();
        }
        return false;
    });
    const std::vector<qint16> block(kBlock);
    ASSERT_TRUE(queue.push(block.data(), kBlock));
    entered.get_future().wait();
    auto producer = std::async(std::launch::async, [&] { return queue.push(block.data(), kBlock); });
    release.set_value();
    EXPECT_FALSE(producer.get());
    EXPECT_FALSE(queue.push(block.data(), kBlock));
    EXPECT_FALSE(queue.finish());
    EXPECT_EQ(calls, 1);
}

} // namespace
