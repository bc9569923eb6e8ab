// The program's own options: good and bad values, what passes through to the Windows-style
// switches, the hosted window's choice, and the XScreenSaver description, the manual page and the
// configuration window against the option and setting tables.
#include "tests/support/saver_globals.h"

#include "saver/config_window.h"
#include "saver/hosted.h"
#include "saver/run_options.h"
#include "saver/setting_table.h"

#include "draw2d/graphics.h"
#include "gui/events/queue.h"
#include "gui/gadgets/gadgets.h"
#include "gui/gadgets_headless/headless_gadget_host.h"

#include <climits>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

namespace {

RunOptions Parse(std::vector<std::string> arguments, bool expectOk = true) {
    arguments.insert(arguments.begin(), "capsaro");
    RunOptions options;
    std::string error;
    EXPECT_EQ(ParseRunOptions(arguments, options, error), expectOk) << arguments[1] << ": " << error;
    return options;
}

std::string ErrorOf(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "capsaro");
    RunOptions options;
    std::string error;
    EXPECT_FALSE(ParseRunOptions(arguments, options, error)) << arguments[1];
    return error;
}

} // namespace

TEST(RunOptions, ValuesInBothSpellingsAndWithEqualsSign) {
    const RunOptions options = Parse({"--count", "50", "-scale", "1.25", "--motion=4", "-no-clear", "--desktop"});
    EXPECT_EQ(options.count, 50);
    EXPECT_FLOAT_EQ(*options.scale, 1.25f);
    EXPECT_EQ(options.motion, 4);
    EXPECT_EQ(options.clear, 0);
    EXPECT_EQ(options.desktop, 1);
    EXPECT_FALSE(options.names);
    EXPECT_TRUE(options.OverridesSettings());
    // The last of a pair wins.
    EXPECT_EQ(Parse({"--names", "--no-names"}).names, 0);
    EXPECT_EQ(Parse({"--count", "0"}).count, 0);
    EXPECT_EQ(Parse({"--count", "1000"}).count, 1000);
    EXPECT_FLOAT_EQ(*Parse({"--scale", "2"}).scale, 2.0f);
}

TEST(RunOptions, BadValuesAndUnknownOptionsNameTheCulprit) {
    for (const auto& [option, value] :
         std::vector<std::pair<std::string, std::string>>{{"--count", "1001"},
                                                          {"--count", "-1"},
                                                          {"--count", "5x"},
                                                          {"--count", ""},
                                                          {"--count", "1e2"},
                                                          {"--scale", "0.01"},
                                                          {"--scale", "2.5"},
                                                          {"--scale", "nan"},
                                                          {"--scale", "abc"},
                                                          {"--motion", "5"},
                                                          {"--motion", "-1"},
                                                          {"--window-id", "0"},
                                                          {"--window-id", "0x"},
                                                          {"--window-id", "12ab"},
                                                          {"--window-id", "0x1FFFFFFFF"}}) {
        const std::string error = ErrorOf({option, value});
        EXPECT_NE(error.find(option), std::string::npos) << error;
        EXPECT_NE(error.find("'" + value + "'"), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
    EXPECT_NE(ErrorOf({"--frobnicate"}).find("--frobnicate"), std::string::npos);
    EXPECT_NE(ErrorOf({"/s", "--count"}).find("--count"), std::string::npos); // value missing
    EXPECT_NE(ErrorOf({"--desktop=1"}).find("--desktop"), std::string::npos);
    EXPECT_NE(ErrorOf({"--"}).find("--"), std::string::npos);
}

TEST(RunOptions, ErrorsStayOneLineWhateverTheArgumentHolds) {
    // Control characters in the culprit show as '?', so the message is still one line.
    EXPECT_EQ(ErrorOf({"--co\nunt"}), "unknown option --co?unt (see --help)");
    EXPECT_EQ(ErrorOf({"--count", "1\r\n2"}).find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(ErrorOf({"--sc\x7f=1"}), "unknown option --sc?=1 (see --help)");
    EXPECT_EQ(ErrorOf({"--desktop=\t"}).find('\t'), std::string::npos);
}

TEST(RunOptions, WindowsStyleSwitchesPassThroughInOrder) {
    const RunOptions preview = Parse({"--count", "7", "/p", "1234", "-no-shadows"});
    EXPECT_EQ(preview.switches, (std::vector<std::string>{"capsaro", "/p", "1234"}));
    // Single-dash arguments the table does not name are switches, even unknown ones: they stay silent.
    EXPECT_EQ(Parse({"-s", "-x", "-c:12", "-"}).switches,
              (std::vector<std::string>{"capsaro", "-s", "-x", "-c:12", "-"}));
    EXPECT_FALSE(Parse({"/s"}).OverridesSettings());
}

TEST(RunOptions, HostedWindowPrefersWindowIdThenEnvironmentThenRoot) {
    HeadlessPlatform platform;
    platform.caps.width = 640;
    EXPECT_EQ(Parse({"--window-id", "0x4A"}).windowId, 0x4Au);
    EXPECT_EQ(Parse({"-window-id", "74"}).windowId, 74u);
    const RunOptions both = Parse({"--root", "--window-id", "0X600008"});
    EXPECT_TRUE(both.Hosted());
    EXPECT_EQ(HostedWindow(both, "0x99", platform), 0x600008u);
    const RunOptions root = Parse({"-root"});
    EXPECT_EQ(HostedWindow(root, "0x600008", platform), 0x600008u);
    EXPECT_EQ(HostedWindow(root, "6291464", platform), 6291464u);
    EXPECT_EQ(HostedWindow(root, "junk", platform), platform.RootWindowId());
    EXPECT_EQ(HostedWindow(root, nullptr, platform), platform.RootWindowId());
    EXPECT_NE(platform.RootWindowId(), 0u);
}

TEST(RunOptions, OverridesReachTheSettingsAndOnlyThoseGiven) {
    TSaver saver;
    saver.ChilliCount = 200;
    saver.ChilliScale = 0.5f;
    UseDesktop = 0, ShowNames = 1, Shadows = 1, ChangeChillies = 1, MotionMode = 2, ClearScreen = 1;
    ApplySettingOverrides(Parse({"--count", "9", "--no-clear", "--desktop", "--motion", "0"}), saver);
    EXPECT_EQ(saver.ChilliCount, 9);
    EXPECT_FLOAT_EQ(saver.ChilliScale, 0.5f);
    EXPECT_EQ(UseDesktop, 1);
    EXPECT_EQ(ClearScreen, 0);
    EXPECT_EQ(MotionMode, 0);
    EXPECT_EQ(ShowNames, 1);
    EXPECT_EQ(Shadows, 1);
    EXPECT_EQ(ChangeChillies, 1);
    UseDesktop = 0, ShowNames = 0, Shadows = 0, ChangeChillies = 0, MotionMode = 0, ClearScreen = 1;
}

TEST(HostedShow, BlackClearOnlyWhereTheDesktopCopyLeavesAGap) {
    const int32_t savedDesktop = UseDesktop;
    UseDesktop = 0;
    DesktopImage = nullptr;
    EXPECT_FALSE(HostedBackgroundNeedsClear(640, 480));
    UseDesktop = 1;
    EXPECT_TRUE(HostedBackgroundNeedsClear(640, 480)); // no screenshot: black
    DesktopPixmap = CreatePixmap(640, 480, FormatRGBA8888, 4);
    DesktopImage = LoadImage(DesktopPixmap, 0);
    ASSERT_TRUE(DesktopImage);
    DesktopWidth = 640, DesktopHeight = 480;
    EXPECT_FALSE(HostedBackgroundNeedsClear(640, 480));
    EXPECT_TRUE(HostedBackgroundNeedsClear(641, 480)); // the window grew past the copy
    EXPECT_TRUE(HostedBackgroundNeedsClear(640, 700));
    DesktopImage = nullptr, DesktopPixmap = nullptr, DesktopWidth = DesktopHeight = 0;
    UseDesktop = savedDesktop;
}

// Every option the XScreenSaver description passes must be one the program accepts, and every
// setting the program lets a run override must have exactly one widget there.
TEST(XScreenSaverDescription, ListsExactlyTheOptionsTheProgramAccepts) {
    std::ifstream in(std::string(CAPSARO_SOURCE_DIR) + "/data/capsaro.xml");
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    const std::string xml = text.str();

    std::set<std::string> settingsOfTable;
    for (const OptionRow& row : OptionTable())
        if (row.setting) settingsOfTable.insert(row.setting);

    // Each widget: its element, id and attributes.
    const std::regex element(R"(<(number|boolean|select|option|command)\b([^>]*)>)");
    const std::regex attribute(R"(([a-z_-]+)="([^"]*)\")");
    std::map<std::string, int> widgetsPerSetting;
    int argumentsChecked = 0;
    std::string selectId;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), element); it != std::sregex_iterator(); ++it) {
        const std::string kind = (*it)[1];
        const std::string body = (*it)[2];
        std::map<std::string, std::string> attributes;
        for (auto a = std::sregex_iterator(body.begin(), body.end(), attribute); a != std::sregex_iterator(); ++a)
            attributes[(*a)[1]] = (*a)[2];
        if (kind == "select") selectId = attributes["id"];
        if (kind == "number" || kind == "boolean" || kind == "select") ++widgetsPerSetting[attributes["id"]];

        std::vector<std::string> arguments;
        for (const char* key : {"arg", "arg-set", "arg-unset"}) {
            if (!attributes.count(key)) continue;
            std::string argument = attributes[key];
            const size_t percent = argument.find('%');
            if (percent != std::string::npos) {
                // A slider passes values from low to high: each end and the default must be accepted.
                for (const char* end : {"low", "high", "default"}) {
                    ASSERT_TRUE(attributes.count(end)) << body;
                    std::string filled = argument;
                    filled.replace(percent, 1, attributes[end]);
                    arguments.push_back(filled);
                }
            } else {
                arguments.push_back(argument);
            }
        }
        const std::string id = kind == "option" ? selectId : attributes["id"];
        for (const std::string& argument : arguments) {
            std::vector<std::string> words{"capsaro"};
            std::istringstream split(argument);
            for (std::string word; split >> word;)
                words.push_back(word);
            RunOptions options;
            std::string error;
            EXPECT_TRUE(ParseRunOptions(words, options, error)) << argument << ": " << error;
            EXPECT_EQ(options.switches.size(), 1u) << argument;
            ++argumentsChecked;
            if (kind == "command") continue;
            // The option changes the setting its widget is named after.
            const std::string flag = words[1].substr(2);
            bool matched = false;
            for (const OptionRow& row : OptionTable())
                if (row.setting && (flag == row.name)) matched = id == row.setting;
            EXPECT_TRUE(matched) << argument << " in widget " << id;
        }
    }
    EXPECT_GE(argumentsChecked, 14);
    std::set<std::string> settingsOfXml;
    for (const auto& [id, count] : widgetsPerSetting) {
        EXPECT_EQ(count, 1) << id;
        settingsOfXml.insert(id);
    }
    EXPECT_EQ(settingsOfXml, settingsOfTable);
}

namespace {

const OptionRow& Row(const std::string& name) {
    for (const OptionRow& row : OptionTable())
        if (name == row.name) return row;
    throw std::runtime_error("no option " + name);
}

std::string ReadText(const std::string& relative) {
    std::ifstream in(std::string(CAPSARO_SOURCE_DIR) + "/" + relative);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// "0.05" and "2", "0" and "1000": the ends as written in a text, read back as numbers.
std::pair<double, double> RangeAfter(const std::string& text, const std::string& anchor) {
    const size_t at = text.find(anchor);
    if (at == std::string::npos) return {-1, -1};
    std::smatch match;
    const std::string rest = text.substr(at);
    if (!std::regex_search(rest, match, std::regex(R"(([0-9.]+) to ([0-9.]+))"))) return {-1, -1};
    return {std::stod(match[1]), std::stod(match[2])};
}

} // namespace

// The ranges are written once, in the option table; every text that repeats them agrees with it.
TEST(OptionRanges, TheUsageManualPageAndXScreenSaverSlidersAgreeWithTheTable) {
    const std::string usage = UsageText();
    const std::string manual = ReadText("data/capsaro.6.in");
    const std::string xml = ReadText("data/capsaro.xml");
    ASSERT_FALSE(manual.empty());
    ASSERT_FALSE(xml.empty());
    for (const char* name : {"count", "scale"}) {
        const OptionRow& row = Row(name);
        const std::pair<double, double> range{row.low, row.high};
        EXPECT_EQ(RangeAfter(usage, std::string("--") + name), range) << name;
        EXPECT_EQ(RangeAfter(manual, std::string(R"(.BI \-\-)") + name), range) << name;

        std::smatch widget;
        ASSERT_TRUE(std::regex_search(xml, widget, std::regex("<number id=\"" + std::string(name) + "\"[^>]*>")));
        const std::string body = widget[0];
        std::smatch low, high;
        ASSERT_TRUE(std::regex_search(body, low, std::regex(R"( low="([^"]*)\")")));
        ASSERT_TRUE(std::regex_search(body, high, std::regex(R"( high="([^"]*)\")")));
        EXPECT_EQ(std::stod(low[1]), row.low) << name;
        EXPECT_EQ(std::stod(high[1]), row.high) << name;
    }
    // The motion's values are the select's options: 0 (no argument) and 1 to the table's top.
    EXPECT_EQ(Row("motion").high, 4);
    EXPECT_NE(xml.find("--motion " + std::to_string(static_cast<int>(Row("motion").high)) + "\""), std::string::npos);
}

// A value just outside a range is refused with the range in the message; the ends themselves pass.
TEST(OptionRanges, TheParserAcceptsExactlyTheTablesRange) {
    for (const char* name : {"count", "scale", "motion"}) {
        const OptionRow& row = Row(name);
        char low[32], high[32], below[32], above[32];
        std::snprintf(low, sizeof low, "%g", row.low);
        std::snprintf(high, sizeof high, "%g", row.high);
        const double step = row.kind == OptionKind::Real ? 0.01 : 1;
        std::snprintf(below, sizeof below, "%g", row.low - step);
        std::snprintf(above, sizeof above, "%g", row.high + step);
        for (const char* good : {low, high}) {
            RunOptions options;
            std::string error;
            EXPECT_TRUE(ParseRunOptions({"capsaro", std::string("--") + name, good}, options, error)) << name << good;
        }
        for (const char* bad : {below, above}) {
            RunOptions options;
            std::string error;
            EXPECT_FALSE(ParseRunOptions({"capsaro", std::string("--") + name, bad}, options, error)) << name << bad;
            EXPECT_NE(error.find(high), std::string::npos) << error;
        }
    }
}

namespace {

// What a slider of the configuration window stores when its thumb is dragged to `position`
// (clamped to the slider's ends) and the dialog is left.
void DragAndLeave(HeadlessGadgetHost& host, TSaver& saver, ConfigDialog& dialog, const GadgetPtr& slider,
                  int32_t position) {
    host.DragThumb(slider, position);
    host.Click(dialog.cancel);
    ASSERT_EQ(RunConfigDialog(saver, dialog), ConfigStep::Ended);
}

} // namespace

// The configuration window offers what the setting table says it does: the labels, the motion
// names in the order of their values, and each slider's ends, which for the scale lie outside the
// command line's range at the low end and inside it at the high end.
TEST(OptionRanges, TheConfigurationWindowShowsTheSettingTable) {
    const auto host = std::make_shared<HeadlessGadgetHost>();
    SelectGadgetHost(host);
    TSaver saver;
    ResetSaverSettings(&saver);
    std::unique_ptr<ConfigDialog> dialog = MakeConfigDialog(saver, {0, 0}, 0);
    ASSERT_TRUE(dialog);

    std::vector<std::string> motionLabels, switchLabels, shownSwitchLabels;
    for (const MotionModeName& mode : kMotionModeNames)
        motionLabels.push_back(mode.label);
    EXPECT_EQ(HeadlessGadgetHost::Control(*dialog->combo).items, motionLabels);
    EXPECT_EQ(motionLabels.front(), "RANDOM SELECTION");
    for (const SettingRow& row : kSettingRows)
        if (row.type == SettingType::Switch) switchLabels.push_back(row.dialog.label);
    for (const ConfigCheckbox& box : dialog->checkboxes)
        shownSwitchLabels.push_back(box.gadget->text);
    EXPECT_EQ(shownSwitchLabels, switchLabels);

    const SettingRow& count = SettingRowOf(&TSaver::ChilliCount);
    const SettingRow& scale = SettingRowOf(&TSaver::ChilliScale);
    DragAndLeave(*host, saver, *dialog, dialog->countSlider, INT_MAX);
    EXPECT_EQ(saver.ChilliCount, count.dialog.high);
    EXPECT_EQ(saver.ChilliCount, 999);
    DragAndLeave(*host, saver, *dialog, dialog->scaleSlider, INT_MAX);
    EXPECT_EQ(saver.ChilliScale, static_cast<float>(scale.dialog.high));
    EXPECT_EQ(HeadlessGadgetHost::Control(*dialog->scaleSlider).position, 29); // fifteenths
    EXPECT_LT(scale.dialog.high, scale.high);
    DragAndLeave(*host, saver, *dialog, dialog->countSlider, INT_MIN);
    EXPECT_EQ(saver.ChilliCount, count.dialog.low);
    DragAndLeave(*host, saver, *dialog, dialog->scaleSlider, INT_MIN);
    EXPECT_EQ(saver.ChilliScale, scale.dialog.low);
    EXPECT_LT(scale.dialog.low, scale.low);
    // The command line accepts every value the dialog gives but the scales below its low end.
    EXPECT_GE(count.dialog.low, count.low);
    EXPECT_LE(count.dialog.high, count.high);

    dialog.reset();
    SelectDisplay(nullptr);
    SelectGadgetHost(nullptr);
    while (QueuedEventCount() > 0)
        PollEvent();
    ResetSaverSettings();
}

// Each XScreenSaver widget is labelled as the configuration window labels its setting.
TEST(XScreenSaverDescription, LabelsEachSettingAsTheConfigurationWindowDoes) {
    const std::string xml = ReadText("data/capsaro.xml");
    for (const SettingRow& row : kSettingRows) {
        if (row.type == SettingType::Motion) continue;
        const std::regex widget("<(number|boolean) id=\"" + std::string(row.option.name) +
                                "\"[^>]*_label=\"([^\"]*)\"");
        std::smatch match;
        ASSERT_TRUE(std::regex_search(xml, match, widget)) << row.name;
        EXPECT_EQ(match[2], row.dialog.label) << row.name;
    }
}

// The description's motion choices are the motion modes in the order of their values, each under
// its name, passing its value (the random choice passes none, the program's default).
TEST(XScreenSaverDescription, OffersTheMotionModesUnderTheirNames) {
    const std::string xml = ReadText("data/capsaro.xml");
    const std::regex option(R"re(<option id="[^"]*" _label="([^"]*)"( arg-set="([^"]*)")?/>)re");
    std::vector<std::string> labels, arguments;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), option); it != std::sregex_iterator(); ++it) {
        labels.push_back((*it)[1]);
        arguments.push_back((*it)[3]);
    }
    std::vector<std::string> names, values;
    for (const MotionModeName& mode : kMotionModeNames) {
        names.push_back(mode.label);
        values.push_back(mode.value == MotionRandom ? "" : "--motion " + std::to_string(mode.value));
    }
    EXPECT_EQ(labels, names);
    EXPECT_EQ(arguments, values);
    EXPECT_EQ(GlobalDefault(&MotionMode), MotionRandom);
}

// Where there are no X windows, --help offers no mode that shows in one.
TEST(UsageText, ListsTheXWindowModesOnlyWhereThereAreXWindows) {
    for (const bool xWindows : {true, false}) {
        const std::string usage = UsageText(xWindows);
        EXPECT_EQ(usage.find("--root") != std::string::npos, xWindows) << usage;
        EXPECT_EQ(usage.find("--window-id") != std::string::npos, xWindows) << usage;
        EXPECT_NE(usage.find("--count"), std::string::npos) << usage;
        EXPECT_NE(usage.find("/p ID"), std::string::npos) << usage;
    }
}
