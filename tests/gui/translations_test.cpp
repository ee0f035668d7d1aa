// Build check of the language libraries: every text that a window passes
// through the translation system has a finished Chinese translation in one
// of translations/*_zh.ts, the libraries built from them load, and a Chinese
// font is there to draw the texts (without one, Chinese text vanishes).

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTranslator>
#include <QXmlStreamReader>

#include <map>

namespace {

struct Message {
    QString translation;
    QString type;   // "", "unfinished", "vanished", "obsolete"
};

using Key = std::pair<QString, QString>;   // context, source (with disambiguation comment)

// Messages of a .ts file by context and source text.
std::map<Key, Message> ReadTs(const QString& path, QString* error) {
    std::map<Key, Message> messages;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return messages;
    }
    QXmlStreamReader xml(&f);
    QString context, source, comment;
    Message msg;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("name")) context = xml.readElementText();
            else if (name == QLatin1String("message")) {
                source.clear();
                comment.clear();
                msg = Message{};
            } else if (name == QLatin1String("source")) source = xml.readElementText();
            else if (name == QLatin1String("comment")) comment = xml.readElementText();
            else if (name == QLatin1String("translation")) {
                msg.type = xml.attributes().value(QLatin1String("type")).toString();
                msg.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            messages[{context, comment.isEmpty() ? source : source + QStringLiteral(" [") + comment + "]"}] = msg;
        }
    }
    if (xml.hasError()) *error = QStringLiteral("%1: %2").arg(path, xml.errorString());
    return messages;
}

QStringList UiSourceDirs() {
    QStringList dirs;
    const QDir root(QStringLiteral(VEL_SOURCE_DIR));
    for (const char* d : {"shell/ui", "image/ui", "link/ui", "table/ui", "testmode/ui", "settings/ui",
                          "signalling/ui", "report/ui", "apps/marlowe/ui"})
        if (root.exists(QString::fromLatin1(d))) dirs.append(root.filePath(QString::fromLatin1(d)));
    return dirs;
}

QStringList ChineseTsFiles() {
    const QDir dir(QStringLiteral(VEL_SOURCE_DIR "/translations"));
    QStringList files;
    for (const QString& f : dir.entryList({QStringLiteral("*_zh.ts")}, QDir::Files)) files.append(dir.filePath(f));
    return files;
}

}  // namespace

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    // Every text in the windows' sources is translated into Chinese.
    void everyTextHasChinese() {
        QTemporaryDir tmp;
        const QString scanned = tmp.filePath(QStringLiteral("scan_zh.ts"));
        QProcess lupdate;
        QStringList args{QStringLiteral("-silent"), QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                         QStringLiteral("none"), QStringLiteral("-extensions"), QStringLiteral("cpp,h")};
        args += UiSourceDirs();
        args += {QStringLiteral("-ts"), scanned};
        lupdate.start(QStringLiteral(VEL_LUPDATE), args);
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);

        QString error;
        const std::map<Key, Message> wanted = ReadTs(scanned, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(wanted.size() > 50);

        std::map<Key, Message> have;
        for (const QString& ts : ChineseTsFiles()) {
            const auto part = ReadTs(ts, &error);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            have.insert(part.begin(), part.end());
        }
        QStringList missing;
        for (const auto& [key, msg] : wanted) {
            auto it = have.find(key);
            if (it == have.end())
                missing.append(QStringLiteral("missing: %1 | %2").arg(key.first, key.second));
            else if (it->second.translation.isEmpty() || !it->second.type.isEmpty())
                missing.append(QStringLiteral("unfinished: %1 | %2").arg(key.first, key.second));
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
    }

    // No translation file carries an unfinished or empty entry.
    void noUnfinishedEntries() {
        const QStringList files = ChineseTsFiles();
        QVERIFY(!files.isEmpty());
        for (const QString& ts : files) {
            QString error;
            for (const auto& [key, msg] : ReadTs(ts, &error)) {
                if (msg.type == QLatin1String("vanished") || msg.type == QLatin1String("obsolete")) continue;
                QVERIFY2(msg.type.isEmpty() && !msg.translation.isEmpty(),
                         qPrintable(QStringLiteral("%1: %2 | %3").arg(ts, key.first, key.second)));
            }
            QVERIFY2(error.isEmpty(), qPrintable(error));
        }
    }

    void librariesLoad_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Chinese") << "Velmar_V_CH.qm" << "&File" << "文件(&F)";
        QTest::newRow("Chinese prompt") << "Velmar_V_CH.qm" << "For Help，Please Press F1" << "如需帮助，请按F1键";
        QTest::newRow("English is the source") << "Velmar_V_EN.qm" << "&File" << "";
    }
    void librariesLoad() {
        QFETCH(QString, file);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        QTranslator translator;
        QVERIFY(translator.load(QDir(QStringLiteral(VEL_QM_DIR)).filePath(file)));
        QCOMPARE(translator.translate("CMainFrame", source.toUtf8().constData()), expected);
    }

    // Chinese text finds a font with its glyphs and draws visible pixels.
    void chineseGlyphsRender() {
        QVERIFY2(!QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty(),
                 "no Chinese font installed (fonts-wqy-microhei)");
        const QString text = QStringLiteral("写频软件如需帮助");
        QTextLayout layout(text, QGuiApplication::font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        for (QChar ch : text) {
            bool found = false;
            for (const QGlyphRun& run : runs) found = found || run.rawFont().supportsCharacter(ch);
            QVERIFY2(found, qPrintable(QStringLiteral("no font draws %1").arg(ch)));
        }

        QImage img(240, 40, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            p.setPen(Qt::black);
            p.setFont(QGuiApplication::font());
            p.drawText(QRect(0, 0, 240, 40), Qt::AlignLeft | Qt::AlignVCenter, text);
        }
        int dark = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) dark += qGray(img.pixel(x, y)) < 128 ? 1 : 0;
        QVERIFY2(dark > 150, qPrintable(QStringLiteral("only %1 dark pixels").arg(dark)));
    }
};

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
