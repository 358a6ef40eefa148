#include "TestEnvironment.h"

namespace {

// Words of another desktop that name things this one calls the tray, the tray panel and the
// launcher badge. A user who meets them looks for a place that is not there.
const QRegularExpression& foreignWords()
{
    static const QRegularExpression words("menu\\s*bar|app\\s*icon|\\bdock\\b",
                                          QRegularExpression::CaseInsensitiveOption);
    return words;
}

struct UserText
{
    QString where;
    QString text;
};

// The text of one or more adjacent C++ string literals, as the compiler joins them.
QString joinedLiterals(const QString& literals)
{
    static const QRegularExpression literal("\"((?:[^\"\\\\]|\\\\.)*)\"");
    QString text;
    for (const QRegularExpressionMatch& part : literal.globalMatch(literals))
        text += part.captured(1);
    return text;
}

// Every text of src/ handed to the translator: tr("…"), and the context-taking
// QCoreApplication::translate("Context", "…") and QT_TRANSLATE_NOOP("Context", "…").
QList<UserText> translatedTexts()
{
    static const QString literals = "((?:\"(?:[^\"\\\\]|\\\\.)*\"\\s*)+)";
    static const QRegularExpression withoutContext(QStringLiteral("\\btr\\(\\s*") + literals);
    static const QRegularExpression withContext(
        QStringLiteral("\\b(?:translate|QT_TRANSLATE_NOOP)\\(\\s*\"[^\"]*\"\\s*,\\s*") + literals);
    QList<UserText> found;
    const QDir root(TestEnvironment::sourceDir() + QStringLiteral("/src"));
    QDirIterator it(root.path(), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString source = QString::fromUtf8(file.readAll());
        for (const QRegularExpression* call : {&withoutContext, &withContext})
            for (const QRegularExpressionMatch& match : call->globalMatch(source))
                found.append({root.relativeFilePath(path), joinedLiterals(match.captured(1))});
    }
    return found;
}

} // namespace

// The interface speaks this desktop's words: the texts of the windows and menus, and the help
// documents shown in the Help window.
class TestDesktopWords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void translatedTextsUseThisDesktopsWords()
    {
        const QList<UserText> texts = translatedTexts();
        // The scan reads the program's texts, not an empty list that would pass anything.
        QVERIFY(texts.size() > 500);
        QVERIFY(std::any_of(texts.cbegin(), texts.cend(),
                            [](const UserText& text) { return text.text == "Sound Effects"; }));
        QStringList offenders;
        for (const UserText& text : texts)
            if (foreignWords().match(text.text).hasMatch())
                offenders << QStringLiteral("%1: \"%2\"").arg(text.where, text.text);
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join('\n')));
    }

    void helpDocumentsUseThisDesktopsWords()
    {
        const QDir help(TestEnvironment::sourceDir() + QStringLiteral("/resources/help"));
        const QStringList documents = help.entryList({"*.html"}, QDir::Files);
        QVERIFY(documents.size() >= 5);
        QStringList offenders;
        for (const QString& name : documents) {
            QFile file(help.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (const QRegularExpressionMatch& match : foreignWords().globalMatch(text))
                offenders << QStringLiteral("%1: \"%2\"").arg(name, match.captured());
        }
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join('\n')));
    }
};

VELMORAN_TEST_MAIN(TestDesktopWords)
#include "tst_desktopwords.moc"
