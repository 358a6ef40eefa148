// Writes the pseudo-language catalogue (en_XA) that shows whether the windows have room for a
// language longer than English: every text of a catalogue that lists them all, each translated
// into the same words with accented letters, in brackets and about 40 % longer:
// "Settings" becomes "[Šéţţîñĝš ~~~~]". What the program fills in or reads stays as it is:
// placeholders (%1, %L1, %n, %i, %@), the letter after a mnemonic "&", HTML tags and
// entities, line breaks. Plural texts ("%n task(s)") get a singular and a plural form.
//
//   make_pseudo_catalogue <catalogue.ts> <pseudo.ts>

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kLongestPaddingWord = 12;

QChar accented(QChar letter)
{
    static const QHash<QChar, QChar> accents = [] {
        const QString plain = QStringLiteral("ACDEGHIJKLNORSTUWYZacdeghijklnorstuwyz");
        const QString marked = QStringLiteral("ÅÇÐÉĜĤÎĴĶĻÑÖŔŠŢÛŴÝŽåçðéĝĥîĵķļñöŕšţûŵýž");
        QHash<QChar, QChar> map;
        for (qsizetype i = 0; i < plain.size(); ++i)
            map.insert(plain.at(i), marked.at(i));
        return map;
    }();
    return accents.value(letter, letter);
}

// The parts of a text that must come through unchanged.
const QRegularExpression& keptPart()
{
    static const QRegularExpression pattern(
        QStringLiteral("(?:%L?\\d{1,2}|%L?n|%[@id%]|<[^>]*>|&#?\\w+;|&&|&.)"));
    return pattern;
}

QString pseudoText(const QString& text)
{
    QString out;
    qsizetype letters = 0;
    qsizetype shownLength = 0;
    qsizetype firstWord = -1;
    qsizetype lastWordEnd = -1;
    for (qsizetype i = 0; i < text.size();) {
        const QRegularExpressionMatch kept =
            keptPart().match(text, i, QRegularExpression::NormalMatch,
                             QRegularExpression::AnchorAtOffsetMatchOption);
        const bool isTag = kept.hasMatch() && text.at(i) == QLatin1Char('<');
        if (!isTag && firstWord < 0 && !text.at(i).isSpace())
            firstWord = out.size();
        if (kept.hasMatch()) {
            out += kept.captured();
            i += kept.capturedLength();
            if (!isTag) {
                lastWordEnd = out.size();
                shownLength += kept.capturedLength();
            }
            continue;
        }
        const QChar c = text.at(i++);
        out += accented(c);
        ++shownLength;
        if (c.isLetter())
            ++letters;
        if (!c.isSpace())
            lastWordEnd = out.size();
    }
    // A text of placeholders only ("%1: %2") joins translated texts, which show their brackets.
    if (letters == 0)
        return out;
    // Brackets around the words, inside any tags around them, so that a rich text stays one
    // and a cut end shows.
    // A long text grows by words, as a translation does, not by one word no line can hold.
    int padding = int(std::ceil(shownLength * 0.4));
    QString tail;
    while (padding > 0) {
        const int word = std::min(padding, kLongestPaddingWord);
        tail += QLatin1Char(' ') + QString(word, QLatin1Char('~'));
        padding -= word;
    }
    out.insert(lastWordEnd, tail + QStringLiteral("]"));
    out.insert(firstWord, QLatin1Char('['));
    return out;
}

struct Message
{
    QString source;
    QString comment;
    bool numerus = false;
};

bool write(const QString& inputPath, const QString& outputPath)
{
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(inputPath));
        return false;
    }
    QFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(outputPath));
        return false;
    }
    QXmlStreamReader reader(&input);
    QXmlStreamWriter writer(&output);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeDTD(QStringLiteral("<!DOCTYPE TS>"));
    writer.writeStartElement(QStringLiteral("TS"));
    writer.writeAttribute(QStringLiteral("version"), QStringLiteral("2.1"));
    writer.writeAttribute(QStringLiteral("language"), QStringLiteral("en_XA"));
    Message message;
    bool inContext = false;
    const auto finishMessage = [&writer, &message] {
        writer.writeStartElement(QStringLiteral("message"));
        if (message.numerus)
            writer.writeAttribute(QStringLiteral("numerus"), QStringLiteral("yes"));
        writer.writeTextElement(QStringLiteral("source"), message.source);
        if (!message.comment.isEmpty())
            writer.writeTextElement(QStringLiteral("comment"), message.comment);
        writer.writeStartElement(QStringLiteral("translation"));
        if (message.numerus) {
            for (const QString& ending : {QString(), QStringLiteral("s")}) {
                QString form = message.source;
                writer.writeTextElement(QStringLiteral("numerusform"),
                                        pseudoText(form.replace(QStringLiteral("(s)"), ending)));
            }
        } else {
            writer.writeCharacters(pseudoText(message.source));
        }
        writer.writeEndElement();
        writer.writeEndElement();
    };
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const auto name = reader.name();
            if (name == QLatin1String("context")) {
                writer.writeStartElement(QStringLiteral("context"));
                inContext = true;
            } else if (name == QLatin1String("name") && inContext) {
                writer.writeTextElement(QStringLiteral("name"), reader.readElementText());
            } else if (name == QLatin1String("message")) {
                message = {};
                message.numerus =
                    reader.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (name == QLatin1String("source")) {
                message.source = reader.readElementText();
            } else if (name == QLatin1String("comment")) {
                message.comment = reader.readElementText();
            }
        } else if (reader.isEndElement()) {
            if (reader.name() == QLatin1String("message")) {
                finishMessage();
            } else if (reader.name() == QLatin1String("context")) {
                writer.writeEndElement();
                inContext = false;
            }
        }
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    if (reader.hasError()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(inputPath), qPrintable(reader.errorString()));
        return false;
    }
    return output.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_pseudo_catalogue <catalogue.ts> <pseudo.ts>\n");
        return 2;
    }
    return write(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
