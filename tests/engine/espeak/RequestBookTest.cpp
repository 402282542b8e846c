#include "engine/espeak/RequestBook.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

speech::SpeechRequest request(int stream, const QString& text = QString())
{
    speech::SpeechRequest r;
    r.stream = stream;
    r.text = text;
    return r;
}

TEST(RequestBook, KeepsPendingStreamsInOrderAndReleasesWaitersFromAnyThread)
{
    speech::RequestBook book;
    book.add(request(1));
    book.add(request(2));
    book.update(request(2, QStringLiteral("neu")));
    ASSERT_EQ(book.pending().size(), 2);
    EXPECT_EQ(book.pending()[1].text, QStringLiteral("neu"));
    EXPECT_FALSE(book.waitUntilFinished(2, 0));

    bool waited = false;
    std::thread waiter([&] { waited = book.waitUntilFinished(2, -1); });
    std::thread([&] { book.finished(2); }).join();
    waiter.join();
    EXPECT_TRUE(waited);
    EXPECT_TRUE(book.waitUntilFinished(2, 0));
    EXPECT_FALSE(book.waitUntilEmpty(0));

    std::thread emptyWaiter([&] { waited = book.waitUntilEmpty(-1); });
    book.clear();
    emptyWaiter.join();
    EXPECT_TRUE(waited);
    EXPECT_TRUE(book.pending().isEmpty());
}

} // namespace
