#include "image/family_parts.h"

namespace vel::parts {

std::vector<ListItem> Items(const std::vector<std::string>& texts) {
    std::vector<ListItem> items;
    for (const std::string& t : texts) items.push_back({Same(t), static_cast<int>(items.size())});
    return items;
}

std::vector<ListItem> Items(const std::vector<Text>& texts) {
    std::vector<ListItem> items;
    for (const Text& t : texts) items.push_back({t, static_cast<int>(items.size())});
    return items;
}

std::vector<ListItem> Meanings(const std::vector<std::pair<std::string, int>>& textsAndMeanings) {
    std::vector<ListItem> items;
    for (const auto& [t, m] : textsAndMeanings) items.push_back({Same(t), m});
    return items;
}

std::vector<std::string> Digits0To9() { return {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}; }

std::vector<std::string> BandTexts128() {
    return {"  67 - 72MHz",  "136 - 174MHz", "240 - 260MHz", "350 - 390MHz", "400 - 430MHz",
            "430 - 450MHz", "450 - 470MHz", "470 - 490MHz", "400 - 470MHz", "460 - 520MHz"};
}

std::vector<std::string> BandTexts16() {
    return {"150 - 174MHz", "136 - 150MHz", "136 - 174MHz", "340 - 360MHz", "350 - 370MHz", "370 - 390MHz",
            "406 - 430MHz", "430 - 450MHz", "450 - 470MHz", "400 - 470MHz", "470 - 490MHz", "490 - 512MHz"};
}

std::vector<std::string> TimeOutTexts() {
    return {"Off", "30s", "60s", "90s", "120s", "150s", "180s", "210s", "240s", "270s", "300s"};
}

Column NumberColumn(Text header, double factor, double divisor, bool centred, bool alignTop) {
    Column c;
    c.kind = ColumnKind::Number;
    c.header = std::move(header);
    c.widthFactor = factor;
    c.widthDivisor = divisor;
    c.centred = centred;
    c.alignTop = alignTop;
    return c;
}

Column FrequencyColumn(ColumnKind kind, Text header, double factor, double divisor, bool centred, bool alignTop) {
    Column c = NumberColumn(std::move(header), factor, divisor, centred, alignTop);
    c.kind = kind;
    c.editorId = 61446;
    return c;
}

Column ToneColumn(ColumnKind kind, Text header, double factor, double divisor, bool centred, bool alignTop) {
    Column c = NumberColumn(std::move(header), factor, divisor, centred, alignTop);
    c.kind = kind;
    c.editorId = 1000;
    c.newChannelDefault = Same("OFF");
    return c;
}

ListCodec Codec(int byte, Byte mask, std::vector<Byte> codes, Byte otherCode,
                std::vector<std::pair<Byte, int>> fillAliases) {
    ListCodec codec;
    codec.byte = byte;
    codec.mask = mask;
    codec.codes = std::move(codes);
    codec.fillAliases = std::move(fillAliases);
    codec.storeOtherCode = otherCode;
    return codec;
}

Column ListColumn(Text header, double factor, double divisor, bool centred, bool alignTop, std::vector<ListItem> items,
                  ListCodec codec, Text newChannelDefault, int editorId) {
    Column c = NumberColumn(std::move(header), factor, divisor, centred, alignTop);
    c.kind = ColumnKind::List;
    c.items = std::move(items);
    c.codec = std::move(codec);
    c.newChannelDefault = std::move(newChannelDefault);
    c.editorId = editorId;
    return c;
}

FrequencyRule EnglishFrequencyRule(std::int64_t lo, std::int64_t hi, std::vector<std::int64_t> steps,
                                   const std::string& stepMessage) {
    FrequencyRule rule;
    rule.lo = lo;
    rule.hi = hi;
    rule.steps = std::move(steps);
    rule.rangeMessage = Same("Error Data Format，Please input again");
    rule.stepMessage = Same(stepMessage);
    rule.stepMessageOnEnter = Same(stepMessage);
    return rule;
}

FamilyTexts EnglishTexts(bool functionSettingGroup) {
    FamilyTexts t;
    t.pleaseInputNumber = Same("Please input Number");
    t.editDataMessage = Same("Please directly double click inside the table");
    t.hintOverList = Same("Please click the CommBox to choose value，For help，please press F1");
    t.hintOverGrid = Same("Please Click the cell to edit or input data，For help，please press F1");
    t.hintElsewhere = Same("For help，please press F1");
    t.channelLabel = Same("Channel：");
    t.typeSettingGroup = Same("Type Setting");
    if (functionSettingGroup) t.functionSettingGroup = Same("Function Setting");
    return t;
}

void ApplySixteenChannelRules(Family& f) {
    f.frequencyRule = EnglishFrequencyRule(6000000, 60000000, {625, 500},
                                           "Error data Value，Please input according the step value(6.25K/5k)");
    f.toneCommit = ToneCommit::ExactOrOff;
    f.toneOffShownWhenInUse = false;
    f.tonesShownWhenNotInUse = true;
    f.newChannelFirstEmptyColumns = 5;
    f.deleteFromColumn = 5;

    ProtocolParams& p = f.protocol;
    p.writeBlocks = 123;
    p.readBlocks = 128;
    p.typeByteAddress = 0x03D3;
    p.pumpRoundsAfterWriteBlock = 201;
    p.pumpRoundsAfterReadBlock = 199;
    p.pauseAfterReadBlockMs = 20;
    p.progressMax = 123;
    p.stepBelowWrite = 122;
    p.stepBelowRead = 123;
    p.endPositionWrite = 123;
    p.endPositionRead = 123;
    p.replyBufferFill = 0x00;
    p.waitingStatusBeforeWakeup = false;
    p.cancelOnDeactivateOrMove = false;
    p.dataPasswordCheck = false;
    p.testModeBase = TestModeBase::Fixed450;
    p.messageLanguage = MessageLanguage::English;
}

}  // namespace vel::parts
