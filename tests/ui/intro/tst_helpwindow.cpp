#include "TestEnvironment.h"

#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "ui/intro/AboutWindowController.h"
#include "ui/intro/HelpDocuments.h"
#include "ui/intro/HelpWindowController.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

// Every link and every anchor of one page, as the browser read them.
void readPage(QTextDocument& document, QList<QString>& hrefs, QSet<QString>& anchors)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                hrefs << format.anchorHref();
            for (const QString& name : format.anchorNames())
                anchors.insert(name);
        }
    }
}

class CountingDelegate : public HelpWindowDelegate
{
public:
    void closeHelpWindow(HelpWindowController* help) override { closed << help; }
    QList<HelpWindowController*> closed;
};

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_defaults = std::make_unique<UserDefaults>(m_dir.filePath("prefs.json"));
        m_modes = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
    }

    // Each document's three buttons lead to the three other documents, each shown under its
    // own heading; an unknown name shows Help.
    void documentsSwitch()
    {
        const QStringList documents{"Help", "Update", "FAQ", "Acknowledgements"};
        for (const QString& name : documents + QStringList{"Nonsense"}) {
            const QString first = documents.contains(name) ? name : QStringLiteral("Help");
            QSet<QString> reached{first};
            for (int i = 0; i < 3; ++i) {
                HelpWindowController help(*m_modes, name);
                QCOMPARE(help.currentFileName(), first);
                help.linkButton(i)->click();
                const QString target = help.currentFileName();
                reached << target;
                QCOMPARE(help.updateTextView()->source(), HelpDocuments::url(target));
                QCOMPARE(help.nameTextField()->text(), HelpDocuments::heading(target));
            }
            QCOMPARE(reached, QSet<QString>(documents.cbegin(), documents.cend()));
        }
    }

    void everyLinkResolves_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString& language : InterfaceLanguage::available())
            QTest::newRow(qPrintable(language)) << language;
    }

    // In every language: every shipped page opens, every link inside the pages leads to a
    // shipped page and, with a fragment, to an anchor on it, and every page can be reached from
    // the four documents. A translated language has every page English has.
    void everyLinkResolves()
    {
        QFETCH(QString, language);
        const QStringList files = HelpDocuments::allFiles(language);
        QCOMPARE(files, HelpDocuments::allFiles(QStringLiteral("en")));
        const QString folder = HelpDocuments::folder(language);
        QVERIFY2(language == QLatin1String("en") || folder.endsWith(QLatin1Char('/') + language),
                 qPrintable(language + QStringLiteral(" has no help pages")));

        QHash<QString, QSet<QString>> anchors;
        QList<std::pair<QString, QString>> links; // page, link
        QTextBrowser browser;
        browser.setSearchPaths({folder});
        for (const QString& file : files) {
            browser.setSource(QUrl(QStringLiteral("qrc") + folder + '/' + file));
            QVERIFY2(browser.toPlainText().size() > 100, qPrintable(file));
            QList<QString> hrefs;
            readPage(*browser.document(), hrefs, anchors[file]);
            for (const QString& href : std::as_const(hrefs))
                links << std::pair{file, href};
        }
        QVERIFY(links.size() > 20);

        QSet<QString> reached{"Help.html", "Update.html", "FAQ.html", "Acknowledgements.html"};
        for (const auto& [page, href] : std::as_const(links)) {
            const QUrl url(href);
            const QString where = page + QStringLiteral(" → ") + href;
            if (!url.scheme().isEmpty()) {
                QVERIFY2(url.scheme() == "https", qPrintable(where));
                continue;
            }
            const QString target = url.path().isEmpty() ? page : url.path();
            QVERIFY2(files.contains(target), qPrintable(where));
            reached.insert(target);
            if (url.hasFragment())
                QVERIFY2(anchors.value(target).contains(url.fragment()), qPrintable(where));
        }
        QCOMPARE(reached, QSet<QString>(files.cbegin(), files.cend()));
    }

    // Following links inside the window: a topic page shows its own title, a link back to one
    // of the four documents makes its buttons follow, and a section link scrolls. The close
    // button and Escape go through the window that opened the sheet.
    void linksAreFollowedInPlace()
    {
        CountingDelegate delegate;
        HelpWindowController help(*m_modes, "Update");
        help.setDelegate(&delegate);
        help.resize(500, 300);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QTextBrowser* view = help.updateTextView();
        view->setSource(QUrl("smart-add.html"));
        QCOMPARE(help.nameTextField()->text(), QString("Smart Add"));
        QCOMPARE(help.currentFileName(), QString("Update"));
        view->setSource(QUrl("Help.html#more"));
        QCOMPARE(help.linkButton(0)->text(), QString("FAQ"));
        QTRY_VERIFY(view->verticalScrollBar()->value() > 0);
        // A button brings the switched document back to its top.
        help.link2();
        help.link1();
        QCOMPARE(help.currentFileName(), QString("Help"));
        QCOMPARE(view->verticalScrollBar()->value(), 0);

        help.startButton()->click();
        QTest::keyClick(&help, Qt::Key_Escape);
        QCOMPARE(delegate.closed, (QList<HelpWindowController*>{&help, &help}));
        QVERIFY(help.startButton()->isDefault());
        QVERIFY(!help.reviewButton()->isVisibleTo(&help));
        int reviews = 0;
        help.setReviewAction([&reviews] { ++reviews; });
        help.reviewButton()->click();
        QCOMPARE(reviews, 1);
    }

    // The version shown is the one the build was made from, which is the project's version.
    // The FAQ and the acknowledgements open as one sheet on the about window, which closes it.
    void aboutShowsTheBuildsVersionAndOpensHelpAsASheet()
    {
        QFile lists(TestEnvironment::sourceDir() + "/CMakeLists.txt");
        QVERIFY(lists.open(QIODevice::ReadOnly));
        const QRegularExpressionMatch project =
            QRegularExpression(R"(project\(\w+ VERSION ([0-9.]+))").match(lists.readAll());
        QVERIFY(project.hasMatch());
        AboutWindowController about(*m_modes);
        QCOMPARE(about.versionTextField()->text(), "Version " + project.captured(1));
        const QString libraries = about.librariesField()->text();
        QVERIFY2(libraries.startsWith("Qt " + QString::fromLatin1(qVersion())),
                 qPrintable(libraries));
        QVERIFY2(QRegularExpression(R"(\nlibical 3\.\d+\.\d+)").match(libraries).hasMatch(),
                 qPrintable(libraries));

        QList<QUrl> opened;
        about.setOpenUrl([&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        about.show();
        about.faqButton()->click();
        QPointer<HelpWindowController> sheet = about.helpWC();
        QVERIFY(sheet);
        QCOMPARE(sheet->currentFileName(), QString("FAQ"));
        QCOMPARE(sheet->windowModality(), Qt::WindowModal);
        about.acknowledgementsButton()->click();
        QCOMPARE(about.helpWC(), sheet.data());
        QCOMPARE(sheet->currentFileName(), QString("Acknowledgements"));
        sheet->startButton()->click();
        QVERIFY(!about.helpWC());
        QTRY_VERIFY(!sheet);
        about.homepage();
        QCOMPARE(opened, QList<QUrl>{AboutWindowController::homepageUrl()});
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<UserDefaults> m_defaults;
    std::unique_ptr<ModeManager> m_modes;
};

VELMORAN_WIDGET_TEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
