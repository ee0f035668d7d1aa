// The settings report drawn for real: PDFs read back with pdftotext, the
// dialogs of the print commands, the velreport tool and "velprog report".

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QImage>
#include <QMultiMap>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>

#include "image/encodings.h"
#include "image/family.h"
#include "report/report_layout.h"
#include "report/ui/report_printer.h"
#include "shell_test_support.h"
#include "table/channel_table.h"

using namespace vel;
using shelltest::WhenModal;

namespace {

struct Doc {
    const Family& family;
    Image image;
    ChannelTable table;
    Lang lang;

    Doc(FamilyId id, Lang l) : family(GetFamily(id)), image(NewDocumentImage(family)), lang(l) {}
    void fill() {
        table = NewChannelTable(family, lang);
        FillChannelGrid(family, lang, image, table);
    }
};

/// A Velmar_V image with channels at both ends of every page and some settings.
Doc FilledVelmar(Lang lang) {
    Doc d(FamilyId::Velmar_V, lang);
    const struct {
        int channel;
        std::int64_t units;
    } channels[] = {{1, 14552500}, {22, 14600000}, {23, 43012500}, {54, 43500000}, {119, 44000000}, {128, 44562500}};
    for (const auto& c : channels) {
        Byte* record = &d.image[static_cast<std::size_t>(d.family.recordAddr(c.channel))];
        StoreFrequencyUnits(record, c.units);
        StoreFrequencyUnits(record + 4, c.units);
    }
    d.image[0x814] = 40;  // 600 s
    d.image[0x81B] = 3;   // Monitor
    d.fill();
    return d;
}

/// A 16-channel document with channels 1 and 16 in use.
Doc FilledSixteen(FamilyId id) {
    Doc d(id, Lang::English);
    for (const auto& [channel, units] : {std::pair{1, std::int64_t{14552500}}, std::pair{16, std::int64_t{43012500}}}) {
        Byte* record = &d.image[static_cast<std::size_t>(d.family.recordAddr(channel))];
        StoreFrequencyUnits(record, units);
        StoreFrequencyUnits(record + 4, units);
    }
    d.fill();
    return d;
}

/// Left edges (in points) of the words of a PDF's first page, by text.
QMultiMap<QString, double> WordLefts(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                          QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    QMultiMap<QString, double> lefts;
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return lefts;
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto m = it.next();
        lefts.insert(m.captured(2), m.captured(1).toDouble());
    }
    return lefts;
}

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

/// A line of pdftotext's output that starts with the words of `line` (and,
/// when `whole`, holds nothing more), whatever the blanks between them.
QRegularExpression LineOf(const QString& line, bool whole = false) {
    QStringList tokens;
    for (const QString& t : line.split(QLatin1Char(' '))) tokens << QRegularExpression::escape(t);
    return QRegularExpression(QStringLiteral("^\\s*") + tokens.join(QStringLiteral("\\s+")) +
                                  (whole ? QStringLiteral("\\s*$") : QString()),
                              QRegularExpression::MultilineOption);
}

QString NoSpaces(QString s) { return s.remove(QRegularExpression(QStringLiteral("\\s"))); }

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

struct ToolRun {
    int exitCode = -1;
    QString err;
};

ToolRun Run(const QString& program, const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    ToolRun r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) return r;
    r.exitCode = p.exitCode();
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}


/// One word of `pdftotext -bbox` output, in points from the page's top-left.
struct PdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

struct PdfPage {
    double width = 0;
    double height = 0;
    std::vector<PdfWord> words;
};

/// The words of every page with their boxes.
std::vector<PdfPage> PdfBoxes(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">"));
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<PdfPage> pages;
    for (const QString& chunk : html.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1)) {
        const QRegularExpressionMatch m = page.match(QStringLiteral("<page ") + chunk);
        if (!m.hasMatch()) continue;
        PdfPage pg{m.captured(1).toDouble(), m.captured(2).toDouble(), {}};
        auto it = word.globalMatch(chunk);
        while (it.hasNext()) {
            const QRegularExpressionMatch w = it.next();
            QString text = w.captured(5);
            text.replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                .replace(QStringLiteral("&gt;"), QStringLiteral(">")).replace(QStringLiteral("&quot;"), QStringLiteral("\""));
            pg.words.push_back({text, w.captured(1).toDouble(), w.captured(2).toDouble(), w.captured(3).toDouble(),
                                w.captured(4).toDouble()});
        }
        pages.push_back(std::move(pg));
    }
    return pages;
}

/// The words of a page grouped into lines (boxes ending within 3 points),
/// each line left to right, lines top to bottom. Texts printed smaller keep
/// their line's baseline, so their boxes end a little higher.
std::vector<std::vector<PdfWord>> Lines(const PdfPage& page) {
    std::vector<PdfWord> words = page.words;
    std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) { return a.yMax < b.yMax; });
    std::vector<std::vector<PdfWord>> lines;
    for (const PdfWord& w : words) {
        if (lines.empty() || std::abs(lines.back().front().yMax - w.yMax) > 3.0) lines.emplace_back();
        lines.back().push_back(w);
    }
    for (auto& line : lines)
        std::sort(line.begin(), line.end(), [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    return lines;
}

/// Joins the consecutive words of `line` from `from` that spell `text`
/// (blanks ignored) into one box; false when they do not.
bool SpellOut(const std::vector<PdfWord>& line, std::size_t& from, const QString& text, PdfWord& box) {
    const QString wanted = NoSpaces(text);
    QString seen;
    box = PdfWord{text, 1e9, 1e9, -1e9, -1e9};
    while (from < line.size() && seen.size() < wanted.size()) {
        const PdfWord& w = line[from++];
        seen += NoSpaces(w.text);
        box.xMin = std::min(box.xMin, w.xMin);
        box.yMin = std::min(box.yMin, w.yMin);
        box.xMax = std::max(box.xMax, w.xMax);
        box.yMax = std::max(box.yMax, w.yMax);
    }
    return seen == wanted;
}
}  // namespace

class ReportPdfTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void pdfHoldsTitlesSettingsAndChannels_data() {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QStringList>("pageTitles");
        QTest::addColumn<QStringList>("needles");
        QTest::newRow("English") << int(Lang::English)
                                 << QStringList{"The Radio Settings", "The Second Page", "The Third Page",
                                                "The Fourth Pages", "The Fifth Pages"}
                                 << QStringList{"Function Setting:", "Channel Setting:", "Pf2: Monitor",
                                                "Total Tx Time(s):600", "Beep Warning: Enable",
                                                "Type:   VM - K10", "Frequency Field:240 - 260MHz",
                                                "Begin of Tx:Disable", "CH   Rx(MHz)"};
        QTest::newRow("Chinese") << int(Lang::Chinese)
                                 << QStringList{"整机设置", "第二页", "第三页", "第四页", "第五页"}
                                 << QStringList{"功能设置:", "频道设置:", "Pf2: 监听", "发射时间(s):600",
                                                "报警音提示: 打开", "电池省电:启动", "机型:   VM - K10",
                                                "接收频率", "繁忙锁定"};
    }

    void pdfHoldsTitlesSettingsAndChannels() {
        QFETCH(int, lang);
        QFETCH(QStringList, pageTitles);
        QFETCH(QStringList, needles);
        const Doc d = FilledVelmar(Lang(lang));
        const QString pdf = path(QStringLiteral("report-%1.pdf").arg(lang));
        QString why;
        QVERIFY2(velui::WriteReportPdf(pdf, d.family, d.image, d.table, d.lang, velui::DefaultReportPageLayout(), &why),
                 qPrintable(why));
        const QString text = PdfText(pdf);
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 5);
        for (int i = 0; i < 5; ++i) QVERIFY2(pages[i].contains(pageTitles[i]), qPrintable(pages[i].left(200)));
        for (const QString& n : needles)
            QVERIFY2(NoSpaces(pages[0]).contains(NoSpaces(n)), qPrintable(n + QStringLiteral(" in\n") + pages[0]));

        // Channel lines: number, then the cells, on one line of the right page.
        const struct {
            int page;
            QString line;
        } rows[] = {{0, "1 145.52500 145.52500 OFF OFF"}, {0, "22 146.00000 146.00000"},
                    {1, "23 430.12500 430.12500"},      {1, "54 435.00000"},
                    {4, "119 440.00000 440.00000"},     {4, "128 445.62500 445.62500 OFF OFF"}};
        for (const auto& r : rows)
            QVERIFY2(LineOf(r.line).match(pages[r.page]).hasMatch(), qPrintable(r.line + QStringLiteral(" on\n") + pages[r.page]));
        // Page 1 holds channels 1 to 22 only; page 5 ends with 128.
        QVERIFY(!QRegularExpression(QStringLiteral("^\\s*23\\s"), QRegularExpression::MultilineOption).match(pages[0]).hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^\\s*128\\s"), QRegularExpression::MultilineOption).match(pages[4]).hasMatch());
        QVERIFY(!QRegularExpression(QStringLiteral("^\\s*118\\s"), QRegularExpression::MultilineOption).match(pages[4]).hasMatch());
    }

    // Each channel heading word stands over its column: its box starts where
    // the column's values start and ends before the next column; no text
    // crosses another or the page's margins.
    void headersStandOverTheirColumns_data() {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("lang");
        QTest::newRow("Velmar_V English") << int(FamilyId::Velmar_V) << int(Lang::English);
        QTest::newRow("Velmar_V Chinese") << int(FamilyId::Velmar_V) << int(Lang::Chinese);
        QTest::newRow("VM_CH128") << int(FamilyId::VM_CH128) << int(Lang::English);
        QTest::newRow("VM_CH118") << int(FamilyId::VM_CH118) << int(Lang::English);
    }
    void headersStandOverTheirColumns() {
        QFETCH(int, family);
        QFETCH(int, lang);
        Doc d{FamilyId(family), Lang(lang)};
        const Lang shown = ReportLang(d.family, d.lang);
        // Channels on every page, with the widest texts of each column.
        const int last = ReportPages(d.family).back().lastChannel;
        std::vector<int> filled;
        for (int ch : {1, 22, 23, 54, 55, 86, 87, 118, 119, last})
            if (ch <= last) filled.push_back(ch);
        for (int ch : filled) {
            Byte* record = &d.image[static_cast<std::size_t>(d.family.recordAddr(ch))];
            StoreFrequencyUnits(record, 44562500);
            StoreFrequencyUnits(record + 4, 46012500);
        }
        d.fill();
        for (int ch : filled) {
            d.table.at(ch, 3) = "D023N";
            d.table.at(ch, 4) = "136.5";
            const std::vector<std::string> wide =
                shown == Lang::English ? std::vector<std::string>{"Narrow", "Yes", "High", "PDC1200", "ON", "Carrier"}
                                       : std::vector<std::string>{"窄", "是", "高", "PDC1200", "开", "载波"};
            for (std::size_t i = 0; i < wide.size(); ++i) d.table.at(ch, 5 + int(i)) = wide[i];
        }
        const QString pdf = path(QStringLiteral("columns-%1-%2.pdf").arg(family).arg(lang));
        QVERIFY(velui::WriteReportPdf(pdf, d.family, d.image, d.table, d.lang));
        const std::vector<PdfPage> pages = PdfBoxes(pdf);
        QCOMPARE(int(pages.size()), ReportPageCount(d.family));

        std::vector<QString> headers;
        for (const ReportColumn& c : ReportChannelColumns(d.family, d.table, d.lang)) headers.push_back(QString::fromStdString(c.heading));
        const QString channelSetting = shown == Lang::English ? QStringLiteral("Channel Setting:") : QStringLiteral("频道设置:");
        const double margin = 10.0 / 25.4 * 72.0;   // the PDF's 10 mm margins, in points
        int valueLines = 0;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            const auto lines = Lines(pages[p]);
            // Nothing crosses the margins, and no two words of a line overlap.
            for (const auto& line : lines) {
                for (std::size_t i = 0; i < line.size(); ++i) {
                    QVERIFY2(line[i].xMin >= margin - 0.5 && line[i].xMax <= pages[p].width - margin + 0.5,
                             qPrintable(QStringLiteral("page %1: %2 at %3..%4").arg(p + 1).arg(line[i].text)
                                            .arg(line[i].xMin).arg(line[i].xMax)));
                    if (i > 0)
                        QVERIFY2(line[i - 1].xMax < line[i].xMin,
                                 qPrintable(QStringLiteral("page %1: %2 runs into %3").arg(p + 1).arg(line[i - 1].text, line[i].text)));
                }
            }
            // The heading: the line after "Channel Setting:".
            std::size_t h = 0;
            while (h < lines.size() && NoSpaces(lines[h].front().text + (lines[h].size() > 1 ? lines[h][1].text : QString())) !=
                                            NoSpaces(channelSetting))
                ++h;
            QVERIFY2(h + 1 < lines.size(), qPrintable(QStringLiteral("no heading on page %1").arg(p + 1)));
            std::vector<PdfWord> boxes(headers.size());
            std::size_t at = 0;
            for (std::size_t c = 0; c < headers.size(); ++c)
                QVERIFY2(SpellOut(lines[h + 1], at, headers[c], boxes[c]), qPrintable(headers[c]));
            QCOMPARE(at, lines[h + 1].size());
            // Every channel line with all its cells: value c under heading c.
            for (std::size_t l = h + 2; l < lines.size(); ++l) {
                const auto& line = lines[l];
                if (line.size() != headers.size()) continue;
                ++valueLines;
                for (std::size_t c = 0; c < headers.size(); ++c) {
                    const QString where = QStringLiteral("page %1, %2 under %3").arg(p + 1).arg(line[c].text, headers[c]);
                    QVERIFY2(std::abs(line[c].xMin - boxes[c].xMin) < 1.5, qPrintable(where));
                    if (c + 1 < headers.size()) {
                        QVERIFY2(boxes[c].xMax < boxes[c + 1].xMin, qPrintable(headers[c]));
                        QVERIFY2(line[c].xMax < boxes[c + 1].xMin, qPrintable(where));
                    }
                }
            }
        }
        QVERIFY(valueLines >= 2 * int(pages.size()) - 1);
    }

    void oneLanguageFamiliesPrintTheirPages_data() {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("lastTitle");
        QTest::newRow("VM_CH128") << int(FamilyId::VM_CH128) << 5 << QStringLiteral("The Fifth Pages");
        QTest::newRow("VM_CH118") << int(FamilyId::VM_CH118) << 4 << QStringLiteral("The Fourth Pages");
    }

    void oneLanguageFamiliesPrintTheirPages() {
        QFETCH(int, family);
        QFETCH(int, pages);
        QFETCH(QString, lastTitle);
        // Asked for Chinese, these families still print English.
        Doc d(FamilyId(family), Lang::Chinese);
        d.fill();
        const QString pdf = path(QStringLiteral("family-%1.pdf").arg(family));
        QVERIFY(velui::WriteReportPdf(pdf, d.family, d.image, d.table, d.lang));
        const QStringList text = PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(text.size(), pages);
        QVERIFY(text[0].contains(QStringLiteral("The Radio Settings")));
        QVERIFY(text.last().contains(lastTitle));
        QVERIFY(NoSpaces(text[0]).contains(QStringLiteral("VoxDelayTime:1.5s")));
    }

    void onePageReports_data() {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("needles");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("heading");   // a column heading standing over its values
        QTest::addColumn<QString>("value");
        QTest::newRow("VM_CH16") << int(FamilyId::VM_CH16) << QStringLiteral("The Radio Settings")
                                 << QStringList{"Function Setting:", "Channel Setting:", "Type:   VM - K51",
                                                "Field:   430 - 450MHz", "Moni:   SQ OFF Momentary",
                                                "Warning Setting: Enable", "Scan function(the 16th channel)：OFF",
                                                "Band Width: WIDE", "CH Rx(MHz) Tx(MHz) Rx Tone Tx Tone Busy"}
                                 << QStringList{"1 145.52500 145.52500 NO", "16 430.12500 430.12500 NO"}
                                 << QStringLiteral("Busy") << QStringLiteral("NO");
        // Chinese glyphs come out of the PDF as text.
        QTest::newRow("VM_CH16_CN") << int(FamilyId::VM_CH16_CN) << QStringLiteral("本机设置数据")
                                    << QStringList{"一整机功能设置部分:", "二信道数据部分:", "机型:   VM - K71",
                                                   "频段  :430 - 450MHz", "监听功能:瞬时取消静噪", "报警音提示: 打开",
                                                   "第16信道扫描功能：关闭", "频带宽度: 宽", "发射定时(TOT): Off",
                                                   "信道 Rx(MHz) Tx(MHz) 接收信令 发射信令 是否禁发"}
                                    << QStringList{"1 145.52500 145.52500 否", "16 430.12500 430.12500 否"}
                                    << QStringLiteral("是否禁发") << QStringLiteral("否");
        QTest::newRow("Marlowe") << int(FamilyId::Marlowe) << QStringLiteral("The Radio Settings")
                                 << QStringList{"Function Setting:", "Type: VMK40", "BandWidth: 67 - 72MHz",
                                                "Voice Announcement: English", "Scrambler: off",
                                                "Side Button 2", "Side Button 3", "Short Press: Monitor",
                                                "Short Press: Vox ON/OFF", "Long Press: Scan On/Off",
                                                "Long Press: Scrambler ON/OFF",
                                                "CH Rx(MHz) Tx(MHz) Rx Tone Tx Tone Busy TX Power W/N Scan/Add"}
                                 << QStringList{"1 145.52500 145.52500 NO High Wide Yes",
                                                "16 430.12500 430.12500 NO High Wide Yes"}
                                 << QStringLiteral("W/N") << QStringLiteral("Wide");
    }

    void onePageReports() {
        QFETCH(int, family);
        QFETCH(QString, title);
        QFETCH(QStringList, needles);
        QFETCH(QStringList, rows);
        QFETCH(QString, heading);
        QFETCH(QString, value);
        const Doc d = FilledSixteen(FamilyId(family));
        const QString pdf = path(QStringLiteral("one-page-%1.pdf").arg(family));
        QString why;
        QVERIFY2(velui::WriteReportPdf(pdf, d.family, d.image, d.table, d.lang, velui::DefaultReportPageLayout(), &why),
                 qPrintable(why));
        const QStringList pages = PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 1);
        QVERIFY2(pages[0].contains(title), qPrintable(pages[0]));
        for (const QString& n : needles)
            QVERIFY2(NoSpaces(pages[0]).contains(NoSpaces(n)), qPrintable(n + QStringLiteral(" in\n") + pages[0]));
        for (const QString& r : rows)
            QVERIFY2(LineOf(r, true).match(pages[0]).hasMatch(), qPrintable(r + QStringLiteral(" on\n") + pages[0]));
        // The heading stands over its column: its left edge is the values' one.
        const QMultiMap<QString, double> lefts = WordLefts(pdf);
        QVERIFY(lefts.contains(heading));
        QVERIFY(lefts.contains(value));
        const double headingLeft = lefts.value(heading);
        for (double left : lefts.values(value)) QVERIFY2(std::abs(left - headingLeft) < 1.0, qPrintable(QString::number(left)));
    }

    void chineseTitleFaceIsAnInstalledChineseFont() {
        const vel::ReportFonts fonts =
            ReportFontsFor(GetFamily(FamilyId::VM_CH16_CN), Lang::Chinese, {4800, 6814, 4800, 600, 600});
        const QString face = velui::ResolveReportFace(fonts.title);
        const QStringList installed = QFontDatabase::families();
        if (installed.contains(QStringLiteral("宋体")) || installed.contains(QStringLiteral("SimSun"))) {
            QVERIFY(face == QStringLiteral("宋体") || face == QStringLiteral("SimSun"));
        } else {
            QVERIFY2(QFontDatabase::families(QFontDatabase::SimplifiedChinese).contains(face), qPrintable(face));
        }
        // A request without substitutes is left to the platform's own matching.
        QCOMPARE(velui::ResolveReportFace(fonts.body), QStringLiteral("Times New Roman"));
        vel::ReportFontRequest request;
        request.face = "No Such Face";
        request.substitutes = {"No Such Face Either", installed.front().toStdString()};
        QCOMPARE(velui::ResolveReportFace(request), installed.front());
    }

    void onePageReportsThroughTheTools() {
        // velreport and "velprog report" for the families of one page.
        const struct {
            FamilyId id;
            const char* name;
            const char* expected;
        } families[] = {{FamilyId::VM_CH16, "VM_CH16", "The Radio Settings"},
                        {FamilyId::VM_CH16_CN, "VM_CH16_CN", "本机设置数据"},
                        {FamilyId::Marlowe, "Marlowe", "Side Button 3"}};
        for (const auto& f : families) {
            const Doc d = FilledSixteen(f.id);
            const QString sin = path(QStringLiteral("%1.sin").arg(QLatin1String(f.name)));
            const QString out = path(QStringLiteral("%1-tool.pdf").arg(QLatin1String(f.name)));
            QVERIFY(WriteBytes(sin, QByteArray(reinterpret_cast<const char*>(d.image.data()), int(d.image.size()))));
            ToolRun r = Run(QStringLiteral(VELREPORT_PATH), {"--family", f.name, sin, out});
            QCOMPARE(r.exitCode, 0);
            QVERIFY2(PdfText(out).contains(QString::fromUtf8(f.expected)), f.name);
            QFile::remove(out);
            r = Run(QStringLiteral(REPORT_PROBE_PATH), {"report", "--family", f.name, sin, out});
            QCOMPARE(r.exitCode, 0);
            QVERIFY2(PdfText(out).contains(QString::fromUtf8(f.expected)), f.name);
            QVERIFY(NoSpaces(PdfText(out)).contains(QStringLiteral("430.12500")));
        }
    }

    void everyPageFitsItsPrintArea() {
        // Page 1 (settings and 22 channels) and the 32 channel lines of a
        // later page stay inside the print area of an A4 page.
        for (Lang lang : {Lang::English, Lang::Chinese}) {
            const Doc d = FilledVelmar(lang);
            for (int page : {1, 2}) {
                QImage img(1240, 1754, QImage::Format_RGB32);  // A4 at 150 dpi
                img.setDotsPerMeterX(5906);
                img.setDotsPerMeterY(5906);
                img.fill(Qt::white);
                {
                    QPainter painter(&img);
                    velui::DrawReportPage(painter, img, d.family, d.image, d.table, d.lang, page);
                }
                int top = -1, bottom = -1, left = img.width();
                for (int y = 0; y < img.height(); ++y) {
                    for (int x = 0; x < img.width(); ++x) {
                        if (qGray(img.pixel(x, y)) < 128) {
                            if (top < 0) top = y;
                            bottom = y;
                            left = std::min(left, x);
                        }
                    }
                }
                QVERIFY2(top > 0, "nothing drawn, or drawn above the print area");
                QVERIFY2(bottom < img.height() - 20, qPrintable(QStringLiteral("page %1 runs to row %2").arg(page).arg(bottom)));
                // The leftmost text is the channel heading at x = u.
                const int u = ReportFontsFor(d.family, d.lang, {1240, 1754, 1240, 150, 150}).unit;
                const int uPixels = u * 150 / 1440;
                QVERIFY2(left >= uPixels - 1 && left <= uPixels + 4, qPrintable(QStringLiteral("left %1, u %2").arg(left).arg(uPixels)));
            }
        }
    }

    void printerPdfOutputHonoursThePageRange() {
        const Doc d = FilledVelmar(Lang::English);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = path(QStringLiteral("range.pdf"));
        printer.setOutputFileName(pdf);
        QVERIFY(velui::PaintReport(printer, d.family, d.image, d.table, d.lang, 4, 9));
        const QStringList pages = PdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        QVERIFY(pages[0].contains(QStringLiteral("The Fourth Pages")));
        QVERIFY(pages[1].contains(QStringLiteral("The Fifth Pages")));
        QVERIFY(!velui::PaintReport(printer, d.family, d.image, d.table, d.lang, 6, 9));
    }

    void failedWriteLeavesTheExistingFile() {
        const Doc d = FilledVelmar(Lang::English);
        // A family without a report of this layout, and a target that is a folder.
        const QString keep = path(QStringLiteral("keep.pdf"));
        QVERIFY(WriteBytes(keep, "old contents"));
        Doc marlowe(FamilyId::Marlowe, Lang::English);
        marlowe.fill();
        if (ReportPageCount(marlowe.family) == 0) {
            QString why;
            QVERIFY(!velui::WriteReportPdf(keep, marlowe.family, marlowe.image, marlowe.table, marlowe.lang,
                                           velui::DefaultReportPageLayout(), &why));
            QVERIFY(!why.isEmpty());
            QCOMPARE(ReadAll(keep), QByteArray("old contents"));
        }
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.pdf")));
        QString why;
        QVERIFY(!velui::WriteReportPdf(path(QStringLiteral("folder.pdf")), d.family, d.image, d.table, d.lang,
                                       velui::DefaultReportPageLayout(), &why));
        QVERIFY(!why.isEmpty());
        // A successful write replaces the file and leaves no temporary file behind.
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        QVERIFY(velui::WriteReportPdf(keep, d.family, d.image, d.table, d.lang));
        QVERIFY(ReadAll(keep).startsWith("%PDF"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
    }

    void printDialogOffersTheReportPages() {
        const Doc d = FilledVelmar(Lang::English);
        QPrinter printer;
        int minPage = -1, maxPage = -1;
        WhenModal([&](QWidget* w) {
            if (auto* dlg = qobject_cast<QPrintDialog*>(w)) {
                minPage = dlg->minPage();
                maxPage = dlg->maxPage();
            }
            w->close();
        });
        QVERIFY(!velui::PrintReport(nullptr, printer, d.family, d.image, d.table, d.lang));
        QCOMPARE(minPage, 1);
        QCOMPARE(maxPage, 5);
    }

    void previewShowsFivePagesSideBySide() {
        const Doc d = FilledVelmar(Lang::English);
        QPrinter printer;
        int pages = -1;
        int mode = -1;
        WhenModal([&](QWidget* w) {
            if (auto* view = w->findChild<QPrintPreviewWidget*>()) {
                pages = view->pageCount();
                mode = view->viewMode();
            }
            w->close();
        });
        velui::PreviewReport(nullptr, printer, d.family, d.image, d.table, d.lang);
        QCOMPARE(pages, 5);
        QCOMPARE(mode, int(QPrintPreviewWidget::FacingPagesView));
    }

    void exportAsksForAFileAndWritesIt() {
        const Doc d = FilledVelmar(Lang::Chinese);
        const QString pdf = path(QStringLiteral("exported.pdf"));
        WhenModal([&](QWidget* w) {
            auto* chooser = qobject_cast<QFileDialog*>(w);
            if (!chooser) {
                w->close();
                return;
            }
            chooser->selectFile(pdf);
            static_cast<QDialog*>(chooser)->accept();
        });
        QPrinter printer;
        QVERIFY(velui::ExportReportPdf(nullptr, printer, d.family, d.image, d.table, d.lang, m_dir.path()));
        QVERIFY(PdfText(pdf).contains(QStringLiteral("整机设置")));
        // Cancelled: nothing written.
        const QString other = path(QStringLiteral("cancelled.pdf"));
        WhenModal([](QWidget* w) { w->close(); });
        QVERIFY(!velui::ExportReportPdf(nullptr, printer, d.family, d.image, d.table, d.lang, other));
        QVERIFY(!QFile::exists(other));
    }

    void velreportTool_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString sin = path(QStringLiteral("tool.sin"));
        const QString out = path(QStringLiteral("tool.pdf"));
        QTest::newRow("done") << QStringList{"--family", "Velmar_V", "--lang", "ch", sin, out} << 0 << QString();
        QTest::newRow("no arguments") << QStringList{} << 2 << QStringLiteral("usage:");
        QTest::newRow("unknown family") << QStringList{"--family", "Velmar_X", sin, out} << 2 << QStringLiteral("Velmar_V");
        QTest::newRow("bad language") << QStringList{"--family", "Velmar_V", "--lang", "de", sin, out} << 2 << QStringLiteral("--lang");
        QTest::newRow("one file") << QStringList{"--family", "Velmar_V", sin} << 2 << QStringLiteral("OUT.pdf");
        QTest::newRow("unknown option") << QStringList{"--family", "Velmar_V", "-x", sin, out} << 2 << QStringLiteral("-x");
        QTest::newRow("missing input") << QStringList{"--family", "Velmar_V", path("none.sin"), out} << 1 << QStringLiteral("none.sin");
        QTest::newRow("short input") << QStringList{"--family", "Velmar_V", path("short.sin"), out} << 1 << QStringLiteral("short.sin");
        QTest::newRow("output folder missing") << QStringList{"--family", "Velmar_V", sin, path("no/such/dir.pdf")} << 1 << QStringLiteral("dir.pdf");
    }

    void velreportTool() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const Doc d = FilledVelmar(Lang::English);
        QVERIFY(WriteBytes(path("tool.sin"), QByteArray(reinterpret_cast<const char*>(d.image.data()), int(d.image.size()))));
        QVERIFY(WriteBytes(path("short.sin"), QByteArray(100, '\xFF')));
        QFile::remove(path("tool.pdf"));
        const ToolRun r = Run(QStringLiteral(VELREPORT_PATH), args);
        QCOMPARE(r.exitCode, exitCode);
        if (!message.isEmpty()) QVERIFY2(r.err.contains(message), qPrintable(r.err));
        if (exitCode == 0) {
            QVERIFY(r.err.isEmpty());
            QVERIFY(PdfText(path("tool.pdf")).contains(QStringLiteral("整机设置")));
        } else {
            QVERIFY(!QFile::exists(path("tool.pdf")));
        }
    }

    void reportCommandRunsTheTool() {
        // The report command as velprog registers it, run end to end.
        const Doc d = FilledVelmar(Lang::English);
        const QString sin = path("cmd.sin");
        const QString out = path("cmd.pdf");
        QVERIFY(WriteBytes(sin, QByteArray(reinterpret_cast<const char*>(d.image.data()), int(d.image.size()))));
        ToolRun r = Run(QStringLiteral(REPORT_PROBE_PATH), {"report", "--family", "Velmar_V", sin, out});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(PdfText(out).contains(QStringLiteral("The Radio Settings")));
        QVERIFY(NoSpaces(PdfText(out)).contains(QStringLiteral("145.52500")));

        r = Run(QStringLiteral(REPORT_PROBE_PATH), {"report", "--family", "Velmar_V", sin});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("usage: velprog report")), qPrintable(r.err));
        r = Run(QStringLiteral(REPORT_PROBE_PATH), {"report", "--family", "Nope", sin, out});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("velprog report: unknown family")), qPrintable(r.err));
        r = Run(QStringLiteral(REPORT_PROBE_PATH), {"report", "--family", "Velmar_V", path("none.sin"), out});
        QCOMPARE(r.exitCode, 1);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VELREPORT"), path("no-such-tool"));
        r = Run(QStringLiteral(REPORT_PROBE_PATH), {"report", "--family", "Velmar_V", sin, out}, env);
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(QStringLiteral("not found")), qPrintable(r.err));
    }

    void velprogReportWhenWired() {
        const ToolRun help = Run(QStringLiteral(VELPROG_PATH), {"--help"});
        if (!(help.exitCode == 0 || help.exitCode == 2)) QSKIP("velprog is not built");
        QProcess p;
        p.start(QStringLiteral(VELPROG_PATH), {"--help"});
        p.waitForFinished(30000);
        const QString usage = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
        if (!usage.contains(QStringLiteral("report"))) QSKIP("velprog has no report command");
        const Doc d = FilledVelmar(Lang::Chinese);
        const QString sin = path("velprog.sin");
        const QString out = path("velprog.pdf");
        QVERIFY(WriteBytes(sin, QByteArray(reinterpret_cast<const char*>(d.image.data()), int(d.image.size()))));
        const ToolRun r = Run(QStringLiteral(VELPROG_PATH), {"report", "--family", "Velmar_V", "--lang", "ch", sin, out});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(PdfText(out).contains(QStringLiteral("整机设置")));
    }
};

QTEST_MAIN(ReportPdfTest)
#include "report_pdf_test.moc"
