// The help pages in both languages: the same topics, every link leads to a
// page, and the help window finds them through contents, index and search.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "shell/ui/help_window.h"

using velui::CHelpWindow;

namespace {

const QStringList kLanguages = {QStringLiteral("Velmar_V_EN"), QStringLiteral("Velmar_V_CH")};
// The family programs whose pages are written; each opens its own folder.
const QStringList kFamilyFolders = {QStringLiteral("VM_CH128"), QStringLiteral("VM_CH118")};
// Help of a program of its own, about its own commands.
const QStringList kProgramFolders = {QStringLiteral("VM_CH16"), QStringLiteral("VM_CH16_CN")};

QString Folder(const QString& lang) { return QDir(QStringLiteral(VEL_HELP_DIR)).filePath(lang); }

QString Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

class HelpPagesTest : public QObject {
    Q_OBJECT
private slots:
    void bothLanguagesHaveTheSameTopics() {
        const QStringList en = QDir(Folder(kLanguages[0])).entryList({QStringLiteral("*.html")}, QDir::Files);
        const QStringList ch = QDir(Folder(kLanguages[1])).entryList({QStringLiteral("*.html")}, QDir::Files);
        QCOMPARE(en, ch);
        for (const char* topic : {"index.html", "connecting.html", "port.html", "reading.html", "editing.html",
                                  "saving.html", "writing.html", "testmode.html", "troubleshooting.html",
                                  "optional.html", "twotone.html", "channeledit.html", "printing.html"})
            QVERIFY2(en.contains(QString::fromLatin1(topic)), topic);
    }

    void pages_data() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("page");
        for (const QString& lang : kLanguages + kFamilyFolders + kProgramFolders)
            for (const QString& page : QDir(Folder(lang)).entryList({QStringLiteral("*.html")}, QDir::Files))
                QTest::addRow("%s/%s", qPrintable(lang), qPrintable(page)) << lang << page;
    }
    // Every page has a title and keywords, and each link names a page that exists.
    void pages() {
        QFETCH(QString, lang);
        QFETCH(QString, page);
        const QString html = Read(QDir(Folder(lang)).filePath(page));
        QVERIFY(html.contains(QStringLiteral("<title>")));
        QVERIFY(html.contains(QStringLiteral("name=\"keywords\"")));
        static const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
        auto it = link.globalMatch(html);
        while (it.hasNext()) {
            const QString target = it.next().captured(1);
            QVERIFY2(QFileInfo::exists(QDir(Folder(lang)).filePath(target)), qPrintable(page + " -> " + target));
        }
    }

    void window_data() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("firstTopic");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("found");
        QTest::newRow("English") << kLanguages[0] << "Connecting the programming cable" << "COM3" << "dialout group"
                                 << "connecting.html";
        QTest::newRow("Chinese") << kLanguages[1] << "连接写频线" << "COM3" << "假负载" << "testmode.html";
    }
    void window() {
        QFETCH(QString, lang);
        QFETCH(QString, firstTopic);
        QFETCH(QString, keyword);
        QFETCH(QString, words);
        QFETCH(QString, found);
        CHelpWindow help(Folder(lang));
        QVERIFY(help.isValid());
        const QStringList titles = help.contentsTitles();
        QCOMPARE(titles.size(), 14);   // the contents page and its thirteen topics
        QCOMPARE(titles.at(1), firstTopic);
        QVERIFY(help.indexKeywords().contains(keyword));
        QVERIFY(help.search(words).contains(found));
        QCOMPARE(help.search(QStringLiteral("zzzz-no-such-word")), QStringList{});
        help.showFinder();
        QCOMPARE(help.currentPage(), QStringLiteral("index.html"));
        help.openPage(found);
        QCOMPARE(help.currentPage(), found);
    }

    // A family's pages are about its own commands: no two-tone signalling,
    // and the shortcuts it really has.
    void familyPagesAreAboutTheirOwnCommands_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("topics");
        QTest::newRow("VM_CH128") << kFamilyFolders[0]
                                  << QStringList{"connecting.html", "port.html", "reading.html", "editing.html",
                                                 "settings.html", "saving.html", "writing.html", "testmode.html",
                                                 "branding.html", "troubleshooting.html"};
        QTest::newRow("VM_CH118") << kFamilyFolders[1]
                                  << QStringList{"connecting.html", "port.html", "reading.html", "editing.html",
                                                 "settings.html", "saving.html", "writing.html", "testmode.html",
                                                 "troubleshooting.html"};
    }
    void familyPagesAreAboutTheirOwnCommands() {
        QFETCH(QString, folder);
        QFETCH(QStringList, topics);
        CHelpWindow help(Folder(folder));
        QVERIFY(help.isValid());
        QCOMPARE(help.contentsTitles().size(), topics.size() + 1);
        QCOMPARE(help.contentsTitles().at(0), folder + QStringLiteral(" Help"));
        QStringList pages = QDir(Folder(folder)).entryList({QStringLiteral("*.html")}, QDir::Files);
        pages.removeOne(QStringLiteral("index.html"));
        topics.sort();
        QCOMPARE(pages, topics);
        for (const QString& page : pages) {
            const QString html = Read(QDir(Folder(folder)).filePath(page));
            for (const char* foreign : {"Two Tone", "two-tone", "Ctrl+Y", "Velmar_V", "Channel Edit"})
                QVERIFY2(!html.contains(QLatin1String(foreign), Qt::CaseInsensitive), qPrintable(page + ": " + foreign));
        }
        QVERIFY(help.search(QStringLiteral("PF1")).contains(QStringLiteral("settings.html")));
        QVERIFY(help.indexKeywords().contains(QStringLiteral("Optional Features")));
    }

    void programHelp_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("firstTopic");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("found");
        QTest::newRow("VM_CH16") << kProgramFolders[0] << "Connecting the programming cable" << "Side Button"
                                 << "Band Width" << "settings.html";
        QTest::newRow("VM_CH16_CN") << kProgramFolders[1] << "连接写频线" << "侧键功能" << "宋体" << "report.html";
    }
    // The 16-channel programs: the same topics in both, their form's settings
    // and the one-page report included, and nothing of the commands they lack.
    void programHelp() {
        QFETCH(QString, folder);
        QFETCH(QString, firstTopic);
        QFETCH(QString, keyword);
        QFETCH(QString, words);
        QFETCH(QString, found);
        QCOMPARE(QDir(Folder(folder)).entryList({QStringLiteral("*.html")}, QDir::Files),
                 QDir(Folder(kProgramFolders[0])).entryList({QStringLiteral("*.html")}, QDir::Files));
        CHelpWindow help(Folder(folder));
        QVERIFY(help.isValid());
        const QStringList titles = help.contentsTitles();
        QCOMPARE(titles.size(), 11);   // the contents page and its ten topics
        QCOMPARE(titles.at(1), firstTopic);
        QVERIFY(help.indexKeywords().contains(keyword));
        QVERIFY(help.search(words).contains(found));
        for (const QString& absent : {QStringLiteral("Two Tone"), QStringLiteral("Ctrl+Y"), QStringLiteral("Optional Features")})
            QCOMPARE(help.search(absent), QStringList{});
    }

    // Marlowe's own pages: every page is in the contents, every link leads
    // to a page, and the commands of its own are found.
    void marlowePages() {
        const QString folder = Folder(QStringLiteral("Marlowe"));
        const QStringList pages = QDir(folder).entryList({QStringLiteral("*.html")}, QDir::Files);
        CHelpWindow help(folder);
        QVERIFY(help.isValid());
        QCOMPARE(help.contentsTitles().size(), pages.size());
        static const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
        for (const QString& page : pages) {
            const QString html = Read(QDir(folder).filePath(page));
            QVERIFY2(html.contains(QStringLiteral("<title>")) && html.contains(QStringLiteral("name=\"keywords\"")),
                     qPrintable(page));
            auto it = link.globalMatch(html);
            while (it.hasNext()) {
                const QString target = it.next().captured(1);
                QVERIFY2(QFileInfo::exists(QDir(folder).filePath(target)), qPrintable(page + " -> " + target));
            }
        }
        QCOMPARE(help.search(QStringLiteral("Short Press")), QStringList{QStringLiteral("settings.html")});
        QVERIFY(help.search(QStringLiteral("Import Text Form")).contains(QStringLiteral("textform.html")));
        QVERIFY(help.indexKeywords().contains(QStringLiteral("data password")));
        QCOMPARE(help.search(QStringLiteral("Two Tone")), QStringList{});
        QCOMPARE(help.search(QStringLiteral("Ctrl+Y")), QStringList{});
    }

    void missingFolderIsInvalid() {
        CHelpWindow help(QDir(QStringLiteral(VEL_HELP_DIR)).filePath(QStringLiteral("no-such-language")));
        QVERIFY(!help.isValid());
        QCOMPARE(help.contentsTitles(), QStringList{});
    }
};

QTEST_MAIN(HelpPagesTest)
#include "help_pages_test.moc"
