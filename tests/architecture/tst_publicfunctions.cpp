#include "TestEnvironment.h"

namespace {

// More than this and a class does too much for a reader to hold in mind: it is split, or its
// behaviour moves to the presentation layer.
constexpr int kMostPublicFunctions = 30;

struct ClassCount
{
    QString name;
    QString file;
    int publicFunctions = 0;
};

// The header without comments, string and character literals, so that braces, colons and
// parentheses in them do not count.
QString codeOf(QString text)
{
    static const QRegularExpression noise(
        "//[^\\n]*|/\\*.*?\\*/|\"(?:[^\"\\\\]|\\\\.)*\"|'(?:[^'\\\\]|\\\\.)*'",
        QRegularExpression::DotMatchesEverythingOption);
    return text.replace(noise, " ");
}

// Whether a member declaration (up to its ';' or body) declares a function other than a
// constructor, destructor or operator: a name directly before a '(' outside template brackets.
bool declaresFunction(QString declaration, const QString& className)
{
    static const QRegularExpression classMacro("\\bQ_(OBJECT|GADGET)\\b");
    declaration = declaration.remove(classMacro).simplified();
    static const QRegularExpression notAFunction(
        "^(using|typedef|friend|enum|static_assert|Q_[A-Z_]+|class|struct)\\b");
    if (declaration.isEmpty() || notAFunction.match(declaration).hasMatch() ||
        declaration.contains("operator"))
        return false;
    int angle = 0;
    for (qsizetype i = 0; i < declaration.size(); ++i) {
        const QChar c = declaration.at(i);
        if (c == u'<')
            ++angle;
        else if (c == u'>')
            --angle;
        else if (c == u'=' || c == u'{')
            return false; // a data member with its initialiser
        else if (c == u'(' && angle <= 0) {
            const QString before = declaration.left(i).trimmed();
            static const QRegularExpression lastName("(~?\\w+)$");
            const QString name = lastName.match(before).captured(1);
            return !name.isEmpty() && name != className && !name.startsWith(u'~') &&
                   name != "explicit";
        }
    }
    return false;
}

QList<ClassCount> classesOf(const QString& file, const QString& text)
{
    struct Open
    {
        ClassCount count;
        int depth; // the brace depth inside the class body
        bool isPublic;
    };
    static const QRegularExpression classHead(QStringLiteral(
        "(?<!enum )\\b(class|struct)\\s+(?:\\w+\\s+)?(\\w+)\\s*(?:final\\s*)?(?::[^;{]*)?$"));
    static const QRegularExpression access(QStringLiteral(
        "(?:^|\\s)(public|protected|private|signals|Q_SIGNALS)\\s*(?:Q_SLOTS|slots)?\\s*:$"));
    QList<ClassCount> found;
    QList<Open> open;
    const QString code = codeOf(text);
    QString statement;
    int depth = 0;
    for (const QChar c : code) {
        if (c == u'{') {
            const QRegularExpressionMatch head = classHead.match(statement.simplified());
            if (head.hasMatch()) {
                open.append({{head.captured(2), file, 0}, depth + 1, head.captured(1) == "struct"});
            } else if (!open.isEmpty() && open.last().depth == depth && open.last().isPublic &&
                       declaresFunction(statement, open.last().count.name)) {
                ++open.last().count.publicFunctions; // defined in the class
            }
            ++depth;
            statement.clear();
        } else if (c == u'}') {
            --depth;
            if (!open.isEmpty() && open.last().depth == depth + 1)
                found.append(open.takeLast().count);
            statement.clear();
        } else if (c == u';') {
            if (!open.isEmpty() && open.last().depth == depth && open.last().isPublic &&
                declaresFunction(statement, open.last().count.name))
                ++open.last().count.publicFunctions;
            statement.clear();
        } else {
            statement += c;
            if (c == u':' && !open.isEmpty() && open.last().depth == depth) {
                const QRegularExpressionMatch specifier = access.match(statement.trimmed());
                if (specifier.hasMatch()) {
                    open.last().isPublic = specifier.captured(1) == "public";
                    statement.clear();
                }
            }
        }
    }
    return found;
}

} // namespace

// No class of src/ offers more than thirty public functions (signals, constructors and
// operators not counted).
class TestPublicFunctions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theCounterReadsDeclarations()
    {
        const QList<ClassCount> counted = classesOf(
            "example.h", QStringLiteral("class Example : public QObject\n"
                                        "{\n"
                                        "Q_OBJECT\n"
                                        "public:\n"
                                        "enum class Kind { A, B };\n"
                                        "struct Part { int f(); int g() const { return 1; } };\n"
                                        "explicit Example(QObject* parent = nullptr);\n"
                                        "~Example() override;\n"
                                        "bool operator==(const Example&) const;\n"
                                        "int one() const { return m_one; }     // inline \"{\"\n"
                                        "void two(const QString& text = QStringLiteral(\"a;b\"));\n"
                                        "std::function<void(int)> callback;\n"
                                        "static QList<int> three(std::map<int, int> m);\n"
                                        "Q_SIGNALS:\n"
                                        "void changed();\n"
                                        "public Q_SLOTS:\n"
                                        "void four();\n"
                                        "private:\n"
                                        "void hidden();\n"
                                        "int m_one = 0;\n"
                                        "};\n"));
        QStringList names;
        for (const ClassCount& count : counted)
            names << count.name + " has " + QString::number(count.publicFunctions);
        QCOMPARE(names, QStringList({"Part has 2", "Example has 4"}));
    }

    void noClassHasTooManyPublicFunctions()
    {
        const QString root = TestEnvironment::sourceDir() + QStringLiteral("/src");
        QDirIterator it(root, {"*.h"}, QDir::Files, QDirIterator::Subdirectories);
        QStringList tooMany;
        int classes = 0;
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString relative = QDir(root).relativeFilePath(file.fileName());
            for (const ClassCount& count : classesOf(relative, QString::fromUtf8(file.readAll()))) {
                ++classes;
                if (count.publicFunctions > kMostPublicFunctions)
                    tooMany << QStringLiteral("%1 (%2): %3 public functions")
                                   .arg(count.name, count.file)
                                   .arg(count.publicFunctions);
            }
        }
        QVERIFY(classes > 300);
        QVERIFY2(tooMany.isEmpty(), qPrintable(tooMany.join('\n')));
    }
};

VELMORAN_TEST_MAIN(TestPublicFunctions)
#include "tst_publicfunctions.moc"
