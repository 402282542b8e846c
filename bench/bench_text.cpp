// Speed of the text preparation: the whole pass over 1 MB of German prose with a realistic dictionary, with the
// dictionary matching case (the default) and ignoring it, and the replacement routine on its two worst shapes (one
// endless run of blanks, a text with 100,000 matches). Each figure is the median of several runs.

#include "base/core/Clock.h"
#include "base/core/MessageBox.h"
#include "base/text/DictionaryRow.h"
#include "base/text/PreparationPass.h"
#include "base/text/ReplaceString.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr qsizetype kMegabyte = 1024 * 1024;
constexpr int kRepetitions = 7;

class FixedClock final : public core::Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 5), QTime(9, 7, 3)); }
};

// German fortunes, their "%" separator lines dropped, line ends as the text box holds them (CR LF).
QString germanProse()
{
    const QDir folder(QStringLiteral("/usr/share/games/fortunes/de"));
    QString text;
    qsizetype bytes = 0;
    for (const QFileInfo& info : folder.entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name)) {
        if (info.suffix() == QLatin1String("dat") || info.fileName() == QLatin1String("asciiart"))
            continue;
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            if (line == QLatin1String("%"))
                continue;
            text += line + QLatin1String("\r\n");
            bytes += line.toUtf8().size() + 2;
            if (bytes >= kMegabyte)
                return text;
        }
    }
    return text;
}

// Every placeholder and Euro form a few times, at fixed pseudo-random word starts.
QString withPlaceholders(QString text)
{
    const QStringList inserts = {
        QStringLiteral("Es ist %ZEIT! Uhr."),
        QStringLiteral("um %ZEIT"),
        QStringLiteral("%STD! Uhr %MIN! und %SEK!"),
        QStringLiteral("%STD:%MIN:%SEK"),
        QStringLiteral("am %DATUM"),
        QStringLiteral("in Woche %W, Tag %TX"),
        QStringLiteral("%TTTT, %TTT."),
        QStringLiteral("den %TT. bzw. %T."),
        QStringLiteral("im %MMMM (%MMM)"),
        QStringLiteral("%MM/%M"),
        QStringLiteral("%JJJJ, %JJ, %J"),
        QStringLiteral("%BG!"),
        QStringLiteral("kostet 5 Euro."),
        QStringLiteral("nur 3 Eur pro Stück"),
        QStringLiteral("9,99 EUR,"),
        QStringLiteral("12 Euro\r\n"),
        QStringLiteral("7 €"),
    };
    std::mt19937 random(1234);
    for (int round = 0; round < 5; ++round) {
        for (const QString& insert : inserts) {
            qsizetype at = std::uniform_int_distribution<qsizetype>(0, text.size() - 1)(random);
            at = text.indexOf(QLatin1Char(' '), at);
            if (at < 0)
                at = 0;
            text.insert(at, QLatin1Char(' ') + insert + QLatin1Char(' '));
        }
    }
    return text;
}

// 200 rows: abbreviations, spellings, a few words, wildcard rows, and some rows switched off.
QList<text::DictionaryRow> dictionaryRows()
{
    const char* const pairs[][2] = {
        {"z.B.", "zum Beispiel"},
        {"z. B.", "zum Beispiel"},
        {"usw.", "und so weiter"},
        {"bzw.", "beziehungsweise"},
        {"d.h.", "das heißt"},
        {"d. h.", "das heißt"},
        {"u.a.", "unter anderem"},
        {"o.ä.", "oder ähnlich"},
        {"etc.", "et cetera"},
        {"ca.", "circa"},
        {"evtl.", "eventuell"},
        {"ggf.", "gegebenenfalls"},
        {"vgl.", "vergleiche"},
        {"inkl.", "inklusive"},
        {"exkl.", "exklusive"},
        {"zzgl.", "zuzüglich"},
        {"bspw.", "beispielsweise"},
        {"sog.", "sogenannt"},
        {"u.U.", "unter Umständen"},
        {"i.d.R.", "in der Regel"},
        {"z.T.", "zum Teil"},
        {"z.Zt.", "zur Zeit"},
        {"u.v.m.", "und vieles mehr"},
        {"s.o.", "siehe oben"},
        {"s.u.", "siehe unten"},
        {"o.g.", "oben genannt"},
        {"m.E.", "meines Erachtens"},
        {"i.A.", "im Auftrag"},
        {"i.V.", "in Vertretung"},
        {"a.D.", "außer Dienst"},
        {"n.Chr.", "nach Christus"},
        {"v.Chr.", "vor Christus"},
        {"Dr.", "Doktor"},
        {"Prof.", "Professor"},
        {"Dipl.-Ing.", "Diplomingenieur"},
        {"Hr.", "Herr"},
        {"Fr.", "Frau"},
        {"St.", "Sankt"},
        {"Nr.", "Nummer"},
        {"Tel.", "Telefon"},
        {"Str.", "Straße"},
        {"Abs.", "Absatz"},
        {"Abb.", "Abbildung"},
        {"Abt.", "Abteilung"},
        {"Anm.", "Anmerkung"},
        {"Bd.", "Band"},
        {"Bsp.", "Beispiel"},
        {"Jh.", "Jahrhundert"},
        {"Jhd.", "Jahrhundert"},
        {"Kap.", "Kapitel"},
        {"max.", "maximal"},
        {"min.", "minimal"},
        {"Mio.", "Millionen"},
        {"Mrd.", "Milliarden"},
        {"Tsd.", "Tausend"},
        {"Std.", "Stunden"},
        {"Min.", "Minuten"},
        {"Sek.", "Sekunden"},
        {"Jan.", "Januar"},
        {"Feb.", "Februar"},
        {"Aug.", "August"},
        {"Sept.", "September"},
        {"Okt.", "Oktober"},
        {"Nov.", "November"},
        {"Dez.", "Dezember"},
        {"Mo.", "Montag"},
        {"Di.", "Dienstag"},
        {"Mi.", "Mittwoch"},
        {"Do.", "Donnerstag"},
        {"Sa.", "Samstag"},
        {"So.", "Sonntag"},
        {"km/h", "Kilometer pro Stunde"},
        {"km", "Kilometer"},
        {"kg", "Kilogramm"},
        {"cm", "Zentimeter"},
        {"mm", "Millimeter"},
        {"ml", "Milliliter"},
        {"qm", "Quadratmeter"},
        {"m²", "Quadratmeter"},
        {"°C", "Grad Celsius"},
        {"Proz.", "Prozent"},
        {"§", "Paragraph"},
        {"&", "und"},
        {"+", "plus"},
        {"GmbH", "Gesellschaft mit beschränkter Haftung"},
        {"AG", "Aktiengesellschaft"},
        {"e.V.", "eingetragener Verein"},
        {"EU", "E U"},
        {"USA", "U S A"},
        {"BRD", "Bundesrepublik Deutschland"},
        {"DDR", "D D R"},
        {"ZDF", "Zett De Eff"},
        {"ARD", "A R D"},
        {"PC", "Pe Ze"},
        {"CD", "Ze De"},
        {"DVD", "De Vau De"},
        {"PDF", "Pe De Eff"},
        {"WLAN", "We Lan"},
        {"LKW", "Lastkraftwagen"},
        {"PKW", "Personenkraftwagen"},
        {"ICE", "I Ze E"},
        {"DB", "Deutsche Bahn"},
        {"SMS", "Es Em Es"},
        {"TV", "Fernsehen"},
        {"KI", "künstliche Intelligenz"},
        {"IT", "I T"},
        {"Linux", "Linuks"},
        {"Debian", "Debbian"},
        {"Windows", "Windous"},
        {"Computer", "Kompjuter"},
        {"Software", "Softwär"},
        {"Hardware", "Hardwär"},
        {"Server", "Sörver"},
        {"Browser", "Brauser"},
        {"Download", "Daunloud"},
        {"Update", "Apdäit"},
        {"Team", "Tiem"},
        {"Meeting", "Mieting"},
        {"Job", "Dschob"},
        {"cool", "kuhl"},
        {"okay", "okäi"},
        {"Handy", "Mobiltelefon"},
        {"E-Mail", "I-Mäil"},
        {"Email", "I-Mäil"},
        {"Internet", "Internett"},
        {"Smartphone", "Smartfon"},
        {"Laptop", "Läptop"},
        {"Manager", "Mänätscher"},
        {"Service", "Sörwis"},
        {"Design", "Disain"},
        {"Baby", "Bäibi"},
        {"Fußball", "Fussball"},
        {"daß", "dass"},
        {"muß", "muss"},
        {"mußte", "musste"},
        {"Kuß", "Kuss"},
        {"Schluß", "Schluss"},
        {"Fluß", "Fluss"},
        {"bißchen", "bisschen"},
        {"wußte", "wusste"},
        {"läßt", "lässt"},
        {"Photographie", "Fotografie"},
        {"Telephon", "Telefon"},
        {"Photo", "Foto"},
        {"Goethe", "Göte"},
        {"Nietzsche", "Nietsche"},
        {"Einstein", "Ainschtain"},
        {"Shakespeare", "Schekspier"},
        {"Churchill", "Tschörtschil"},
        {"Voltaire", "Woltär"},
        {"Rousseau", "Russo"},
        {"Montaigne", "Montänje"},
        {"Bill Gates", "Bill Gäits"},
        {"Microsoft", "Maikrosoft"},
        {"Apple", "Äppel"},
        {"Google", "Gugel"},
        {":-)", "lächel"},
        {";-)", "zwinker"},
        {":)", "lächel"},
        {"...", " Pause "},
        {"--", ", "},
        {"Mr.", "Mister"},
        {"Mrs.", "Missis"},
        {"Ms.", "Miss"},
        {"Jr.", "Junior"},
        {"Sr.", "Senior"},
        {"Co.", "Kompanie"},
        {"Inc.", "Inkorporäited"},
        {"Ltd.", "Limitid"},
        {"S.", "Seite"},
        {"ff.", "fortfolgende"},
        {"Hrsg.", "Herausgeber"},
        {"Aufl.", "Auflage"},
        {"Verf.", "Verfasser"},
        {"geb.", "geboren"},
        {"gest.", "gestorben"},
        {"verh.", "verheiratet"},
        {"led.", "ledig"},
        {"Ing.", "Ingenieur"},
        {"Mag.", "Magister"},
        {"Bhf.", "Bahnhof"},
        {"Hbf.", "Hauptbahnhof"},
        {"Pl.", "Platz"},
        {"Ges.", "Gesellschaft"},
        {"Verw.", "Verwaltung"},
        {"Gr.", "Größe"},
    };
    const char* const wildcards[][2] = {
        {"http://*", "(Link)"},    {"https://*", "(Link)"}, {"ftp://*", "(Link)"}, {"www.*", "(Webseite)"},
        {"mailto:*", "(Adresse)"}, {"#*", "(Hashtag)"},     {"@*", "(Name)"},      {"C:\\*", "(Pfad)"},
    };
    QList<text::DictionaryRow> rows;
    for (const auto& pair : pairs)
        rows.append(
            {QString::fromUtf8(pair[0]) + text::kEntrySeparator + QString::fromUtf8(pair[1]), rows.size() % 17 != 5});
    for (const auto& pair : wildcards)
        rows.append({QString::fromUtf8(pair[0]) + text::kEntrySeparator + QString::fromUtf8(pair[1]), true});
    while (rows.size() < 200)
        rows.append({QStringLiteral("Wort%1").arg(rows.size()) + text::kEntrySeparator + QStringLiteral("W"), true});
    return rows.mid(0, 200);
}

double medianMs(const std::function<void()>& work)
{
    return bench::medianMs(kRepetitions, [&](int) { work(); });
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    core::setMessageHandler([](const core::Message& message) { return message.defaultAnswer; });

    const QString prose = germanProse();
    if (prose.toUtf8().size() < kMegabyte) {
        std::fprintf(stderr, "bench_text: needs 1 MB of German fortunes in /usr/share/games/fortunes/de\n");
        return 1;
    }
    const QString text = withPlaceholders(prose);
    const QList<text::DictionaryRow> rows = dictionaryRows();
    const FixedClock clock;
    const QLocale german(QLocale::German, QLocale::Germany);
    const double megabytes = double(text.toUtf8().size()) / kMegabyte;
    qsizetype outputSize = 0;
    // Ignoring case matches short rows such as "IT" or "km" inside many more words, so it rewrites far more.
    const auto prepareMbPerS = [&](bool caseSensitive) {
        const text::PrepareOptions options{true, caseSensitive};
        return megabytes /
               (medianMs([&] { outputSize += text::prepareText(text, rows, options, clock, german).text.size(); }) /
                1000.0);
    };
    const double caseSensitiveSpeed = prepareMbPerS(true);
    const double ignoreCaseSpeed = prepareMbPerS(false);

    const QString blanks(kMegabyte, QLatin1Char(' '));
    const double blanksMs = medianMs([&] {
        outputSize += core::ReplaceString(blanks, QStringLiteral("  "), QStringLiteral(" "), false).text.size();
    });

    const QString matches = QStringLiteral("Dr. med. ").repeated(100000);
    const double matchesMs = medianMs([&] {
        outputSize += core::ReplaceString(matches, QStringLiteral("dr."), QStringLiteral("Doktor"), false).text.size();
    });

    std::printf("prepare_mb_per_s: %.1f MB/s\n", caseSensitiveSpeed);
    std::printf("prepare_mb_per_s_ignore_case: %.1f MB/s\n", ignoreCaseSpeed);
    std::printf("replace_blanks_ms: %.1f ms\n", blanksMs);
    std::printf("replace_100k_ms: %.1f ms\n", matchesMs);
    return outputSize > 0 ? 0 : 1;
}
