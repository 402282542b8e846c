#include "engine/espeak/AudioQueue.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using speech::AudioQueue;

AudioQueue::Item audio(int stream, qsizetype bytes)
{
    AudioQueue::Item item;
    item.stream = stream;
    item.pcm = QByteArray(bytes, '\0');
    return item;
}

TEST(AudioQueue, ItemsComeOutInOrderAndANewGenerationTurnsAwayTheOldOnes)
{
    AudioQueue queue;
    int wakeUps = 0;
    queue.setWakeUp([&] { ++wakeUps; });
    for (int stream = 1; stream <= 3; ++stream)
        ASSERT_TRUE(queue.push(audio(stream, 10), 0));
    EXPECT_EQ(wakeUps, 1); // only an empty queue needs waking
    for (int stream = 1; stream <= 3; ++stream)
        EXPECT_EQ(queue.tryPop()->stream, stream);
    EXPECT_FALSE(queue.tryPop());

    ASSERT_TRUE(queue.push(audio(4, 10), 0));
    queue.reset(1);
    EXPECT_FALSE(queue.tryPop()); // dropped with its generation
    EXPECT_FALSE(queue.push(audio(5, 10), 0));
    EXPECT_TRUE(queue.push(audio(6, 10), 1));
    EXPECT_EQ(queue.tryPop()->stream, 6);
}

TEST(AudioQueue, AFullQueueHoldsTheProducerUntilTakenFromOrReset)
{
    AudioQueue queue(100);
    ASSERT_TRUE(queue.push(audio(1, 100), 0));
    bool second = false;
    std::thread producer([&] { second = queue.push(audio(2, 100), 0); });
    // Taking the first item makes room: the second arrives, nothing is lost.
    EXPECT_EQ(queue.tryPop()->stream, 1);
    std::optional<AudioQueue::Item> next;
    while (!(next = queue.tryPop()))
        std::this_thread::yield();
    producer.join();
    EXPECT_TRUE(second);
    EXPECT_EQ(next->stream, 2);

    // A purge while the producer waits releases it, and its item is turned away.
    ASSERT_TRUE(queue.push(audio(3, 100), 0));
    bool fourth = true;
    std::thread blocked([&] { fourth = queue.push(audio(4, 100), 0); });
    queue.reset(1);
    blocked.join();
    EXPECT_FALSE(fourth);
    EXPECT_FALSE(queue.tryPop());
}

} // namespace
