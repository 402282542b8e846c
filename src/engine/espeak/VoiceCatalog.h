#pragma once

#include "base/speech/Voice.h"

namespace speech {

// The voices espeak-ng offers, as the voice list shows them. Must run on the synthesis thread.
class VoiceCatalog {
public:
    struct Entry {
        Token token;
        QString language; // first language code, e.g. "de"
    };

    static QList<Token> installedVoices();

    // German voices first (the program's language), the others after them in their given order.
    static QList<Token> germanFirst(const QList<Entry>& entries);
    // Descriptions must be unique, as the lists are matched by them: repeated names get their identifier added.
    static void makeDescriptionsUnique(QList<Token>& tokens);
    static bool mbrolaInstalled();
};

} // namespace speech
