// The form view in Chinese and for the family applications, whose forms,
// columns and rules come from their descriptors.

#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>

#include "temporary_current_dir.h"
#include "view_test_support.h"

namespace {

QStringList Row(ViewHarness& h, int row, int from, int to) {
  QStringList cells;
  for (int c = from; c <= to; ++c) cells << h.cell(row, c);
  return cells;
}

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

class VelViewFamiliesTest : public QObject {
  Q_OBJECT

  std::unique_ptr<MessageCatcher> boxes;
  // Marlowe's stores leave "1.txt" in the current directory.
  std::unique_ptr<veltest::TemporaryCurrentDir> cwd;

private slots:
  void initTestCase() {
    cwd = std::make_unique<veltest::TemporaryCurrentDir>();
    QVERIFY(cwd->isValid());
  }
  void cleanupTestCase() { cwd.reset(); }
  void init() { boxes = std::make_unique<MessageCatcher>(); }
  void cleanup() { boxes.reset(); }

  // --- Velmar_V in Chinese -------------------------------------------------

  void chineseHeadersListsAndLabels_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("header");
    QTest::newRow("0") << 0 << U("频道");
    QTest::newRow("1") << 1 << U("接收频率");
    QTest::newRow("5") << 5 << U(" 宽/窄");
    QTest::newRow("8") << 8 << U(" 可选信令");
    QTest::newRow("9") << 9 << U("PTTID");
    QTest::newRow("10") << 10 << U("繁忙锁定");
    QTest::newRow("12") << 12 << U("更多");
  }
  void chineseHeadersListsAndLabels() {
    QFETCH(int, col);
    QFETCH(QString, header);
    ViewHarness h(vel::VelmarVFamily(), vel::Lang::Chinese);
    QCOMPARE(h.cell(0, col), header);
    QCOMPARE(h.view->findChild<QGroupBox*>("typeSetting")->title(), U("整机设置"));
    h.click(1, 5);
    QComboBox* bandwidth = h.list(61452);
    QCOMPARE(bandwidth->count(), 2);
    QCOMPARE(bandwidth->itemText(0), U("宽"));
    QCOMPARE(bandwidth->itemText(1), U("窄"));
    QCOMPARE(h.list(61453)->itemText(1), U("载波"));
  }

  void chineseNewChannelAndStore() {
    ViewHarness h(vel::VelmarVFamily(), vel::Lang::Chinese);
    h.click(1, 1);
    h.type("145.525");
    h.enter();
    QCOMPARE(Row(h, 1, 1, 12), QStringList({"145.52500", "145.52500", "OFF", "OFF", U("宽"), U("是"), U("高"), "DTMF",
                                            U("开"), U("关闭"), "", ">>"}));
    h.view->storeChannelGrid();
    // Chinese texts store the same bytes as the English ones.
    QCOMPARE(int(h.image[12]), 0x42);
    QCOMPARE(int(h.image[13]), 0xF9);
  }

  void chineseMessages_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QString>("message");
    QTest::newRow("range") << "66.99" << false << U("输入数据错误，请按正确的格式及大小重新输入");
    QTest::newRow("step on leaving") << "146.00125" << false << U("输入数据错误，请按6.25K/5k/2.5k的倍数重新输入");
    QTest::newRow("step on Enter") << "146.00125" << true << U("输入数据错误，请按6.25K/5k/2.5K的倍数重新输入");
  }
  void chineseMessages() {
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    QFETCH(QString, message);
    ViewHarness h(vel::VelmarVFamily(), vel::Lang::Chinese);
    h.click(3, 2);
    h.type(typed);
    if (byEnter) h.enter();
    else h.click(5, 5);
    QCOMPARE(boxes->texts, QStringList{message});
    QVERIFY(h.cell(3, 2).isEmpty());
  }

  void chineseCharacterOnAFrequencyCell() {
    ViewHarness h(vel::VelmarVFamily(), vel::Lang::Chinese);
    h.grid()->SetRow(2);
    h.grid()->SetCol(1);
    h.grid()->setFocus();
    QTest::sendKeyEvent(QTest::Click, h.grid(), Qt::Key_unknown, U("频"), {});
    // The prompt, and the character never reaches the cell.
    QCOMPARE(boxes->texts, QStringList{U("请输入数字")});
    QVERIFY(!h.freqEdit()->isVisible());
    h.enter();
    QCOMPARE(boxes->texts, QStringList{U("请输入数字")});
    QVERIFY(h.cell(2, 1).isEmpty());
  }

  void chineseCharacterDoesNotEnterAName() {
    ViewHarness h(vel::VelmarVFamily(), vel::Lang::Chinese);
    h.click(2, 11);
    h.type(U("A名1"));
    QCOMPARE(h.nameEdit()->text(), QString("A1"));
  }

  void chineseEditDataAndHints() {
    ViewHarness h(vel::VelmarVFamily(), vel::Lang::Chinese);
    h.view->editData();
    QCOMPARE(boxes->texts, QStringList{U("请直接在右边的表格双击")});
    QSignalSpy hints(h.view.get(), &CVelView::statusHint);
    QTest::mouseRelease(h.grid()->viewport(), Qt::LeftButton, {}, h.centreOf(9, 9));
    QTest::mouseMove(h.field(1017));
    QTest::mouseMove(h.grid()->viewport(), h.centreOf(4, 4));
    QVERIFY(!hints.isEmpty());
    QCOMPARE(hints.last().at(0).toString(), U("请单击格子进入编辑状态或直接输入数字,如需帮助，请按F1键"));
  }

  void chineseFillShowsChineseFlags() {
    ViewHarness h(vel::VelmarVFamily(), vel::Lang::Chinese);
    h.putChannel(4, 43010000, 43010000);
    h.image[h.family.recordAddr(4) + 13] = 0x02;  // carrier lock, low power, narrow, no scan
    h.view->initialUpdate();
    QCOMPARE(Row(h, 4, 5, 7), QStringList({U("窄"), U("否"), U("低")}));
    QCOMPARE(h.cell(4, 10), U("载波"));
    h.click(4, 10);
    QCOMPARE(h.list(61453)->currentText(), U("载波"));
  }

  // --- Marlowe -------------------------------------------------------------

  void marloweForm() {
    ViewHarness h(vel::MarloweFamily(), vel::Lang::English);
    QCOMPARE(h.grid()->GetRows(), 17);
    QCOMPARE(h.grid()->GetCols(), 9);
    QCOMPARE(Row(h, 0, 0, 8), QStringList({"CH", "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone", "Busy",
                                            "TX Power", "W/N", "Scan/Add"}));
    QCOMPARE(h.cell(16, 0), QString("16"));
    QCOMPARE(h.grid()->GetColAlignment(3), short(CMSFlexGrid::CenterTop));
    QCOMPARE(h.grid()->GetColWidth(1), long(h.view->columnBaseWidth() * 1.25));
    QCOMPARE(h.field(1011)->currentText(), QString("  67 - 72MHz"));
    QCOMPARE(h.field(1017)->currentText(), QString("VMK40"));
    QVERIFY(h.view->findChild<QLabel*>("channelLabel"));
    QCOMPARE(h.view->findChild<QLabel*>("channelLabel")->text(), U("Channel："));
    QVERIFY(!h.view->findChild<QGroupBox*>("functionSetting"));
    // The data password box takes digits only, six at most.
    auto* password = h.view->findChild<QLineEdit*>("field1074");
    QVERIFY(password);
    QTest::keyClicks(password, "12a345678");
    QCOMPARE(password->text(), QString("123456"));
    h.view->storeChannelGrid();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(h.image.data()), 6), QByteArray("123456"));
  }

  void marloweEditing() {
    ViewHarness h(vel::MarloweFamily(), vel::Lang::English);
    h.click(2, 1);
    h.type("145.5");
    h.enter();
    QCOMPARE(Row(h, 2, 1, 8), QStringList({"145.50000", "145.50000", "OFF", "OFF", "NO", "High", "Wide", "Yes"}));
    h.enter();  // transmit frequency -> receive tone
    h.type("68.0");
    h.enter();
    // A tone that is not in the table is refused by name; the cell keeps its tone.
    QCOMPARE(h.cell(2, 3), QString("OFF"));
    QCOMPARE(boxes->texts, QStringList{"\"68.0\" is not a tone. Choose a tone from the list, or OFF; the cell keeps its tone."});
    boxes->clear();
    h.click(3, 1);
    h.type("145.5025");
    h.enter();
    QCOMPARE(boxes->texts, QStringList{"Error data Value，Please input according the step value(6.25K/5k)"});
    h.click(4, 2);
    h.type("600");
    h.click(5, 2);
    h.type("59.99999");
    h.click(6, 2);
    QCOMPARE(h.cell(4, 2), QString("600.00000"));
    QVERIFY(h.cell(5, 2).isEmpty());
    QCOMPARE(boxes->texts.last(), QString("Error Data Format，Please input again"));
    QVERIFY(!h.nameEdit()->isVisible());
  }

  // --- VM_CH16 and VM_CH16_CN ----------------------------------------------

  void vmCh16Form() {
    ViewHarness h(vel::VmCh16Family(), vel::Lang::English);
    QCOMPARE(h.grid()->GetCols(), 7);
    QCOMPARE(Row(h, 0, 0, 5), QStringList({"CH", "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone", "Busy"}));
    QVERIFY(h.view->findChild<QGroupBox*>("functionSetting"));
    QCOMPARE(h.view->findChild<QGroupBox*>("functionSetting")->title(), QString("Function Setting"));
    QCOMPARE(h.field(1017)->currentText(), QString("VM - K51"));
    QCOMPARE(h.field(1011)->currentText(), QString("430 - 450MHz"));
    QCOMPARE(h.field(1014)->currentText(), QString("Enable"));
    QCOMPARE(h.field(1070)->currentText(), QString("OFF"));
    QCOMPARE(h.field(1073)->currentText(), QString("WIDE"));
    QCOMPARE(h.field(1012)->currentText(), QString("SQ OFF Momentary"));
    QCOMPARE(h.grid()->GetColAlignment(2), short(CMSFlexGrid::LeftCenter));
    QCOMPARE(h.grid()->GetColWidth(6), long(h.grid()->GetDefaultColWidth() / 1.7));
  }

  void vmCh16Editing() {
    ViewHarness h(vel::VmCh16Family(), vel::Lang::English);
    h.click(16, 1);
    h.type("145.5");
    h.enter();
    QCOMPARE(Row(h, 16, 1, 5), QStringList({"145.50000", "145.50000", "OFF", "OFF", "NO"}));
    QVERIFY(h.cell(16, 6).isEmpty());
    // Column 6 never opens an editor.
    h.click(16, 6);
    QVERIFY(h.visibleEditors().isEmpty());
    h.grid()->setFocus();
    QTest::keyClick(h.grid(), '1');
    QVERIFY(h.visibleEditors().isEmpty());
    QVERIFY(boxes->texts.isEmpty());
    // A guarded list of the lower group goes back to its item on typing.
    QComboBox* total = h.field(1013);
    QVERIFY(total->isEditable());
    total->setFocus();
    total->lineEdit()->selectAll();
    QTest::keyClicks(total->lineEdit(), "9");
    QCOMPARE(total->currentText(), QString("60s"));
  }

  void vmCh16CnIsChineseWhateverTheLanguage() {
    ViewHarness h(vel::VmCh16CnFamily(), vel::Lang::English);
    QCOMPARE(Row(h, 0, 0, 5), QStringList({U("信道"), U("接收频率"), U("发射频率"), U("接收信令"), U("发射信令"),
                                           U("是否禁发")}));
    QCOMPARE(h.view->findChild<QGroupBox*>("typeSetting")->title(), U("整机设置"));
    QCOMPARE(h.field(1014)->currentText(), U("打开"));
    h.click(1, 1);
    h.type("145.5");
    h.enter();
    QCOMPARE(h.cell(1, 5), U("否"));
    h.click(2, 1);
    h.type("145.5025");
    h.click(3, 3);
    QCOMPARE(boxes->texts, QStringList{U("输入数据错误，请按6.25K或 5k的倍数重新输入")});
  }

  // --- Every family ---------------------------------------------------------

  void everyFamilyRoundTripsANewDocument_data() {
    QTest::addColumn<int>("family");
    for (const vel::Family* f : vel::AllFamilies())
      QTest::newRow(f->name.c_str()) << static_cast<int>(f->id);
  }
  void everyFamilyRoundTripsANewDocument() {
    QFETCH(int, family);
    const vel::Family& f = vel::GetFamily(static_cast<vel::FamilyId>(family));
    ViewHarness h(f, vel::Lang::English);
    // What the view stores is what velcore stores from the same table.
    vel::ChannelTable t = vel::NewChannelTable(f, vel::Lang::English);
    vel::Image expected = h.image;
    vel::FillChannelGrid(f, vel::Lang::English, expected, t);
    vel::StoreChannelGrid(f, t, expected);
    QVERIFY(h.view->storedImage() == expected);
    QCOMPARE(h.grid()->GetRows(), f.channelCount + 1);
    QCOMPARE(h.grid()->GetCols(), f.columnCount());
    for (const vel::FormField& field : f.form)
      QVERIFY2(h.view->findChild<QWidget*>(QStringLiteral("field%1").arg(field.id)), qPrintable(QString::number(field.id)));
  }
};

QTEST_MAIN(VelViewFamiliesTest)
#include "vel_view_families_test.moc"
