#pragma once

#include <QString>

namespace audiobook {

// The file of chapter number (1-based) of count beside the target: "dir/buch.mp3" gives "dir/buch-01.mp3"; two
// digits, more once count needs them ("buch-001.mp3" from 100 chapters on), so the names sort in order.
QString chapterPath(const QString& target, int number, int count);

// The playlist beside the target: "dir/buch.mp3" gives "dir/buch.m3u".
QString playlistPath(const QString& target);

} // namespace audiobook
