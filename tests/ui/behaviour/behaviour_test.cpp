// What both windows do, through the seam every front end implements, with a
// fake front end that records what the behaviour asks of it.
#include "failure_messages.h"
#include "form13.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace popolun::ui {
namespace {

using namespace popolun::testing;
namespace fs = std::filesystem;
namespace main = layout::main;
namespace settings = layout::settings;

class FakeView final : public WindowView {
public:
    explicit FakeView(std::uintptr_t handle) : handle_(handle) {}

    std::string text(layout::ControlId control) const override { return texts.contains(control) ? texts.at(control) : ""; }
    void setText(layout::ControlId control, const std::string& text) override { texts[control] = text; ++textsSet; }
    void setChecked(layout::ControlId control, bool on) override { checked[control] = on; }
    void focusAndSelect(layout::ControlId control) override { focused = control; }
    void showWindow() override { shown = true; }
    void hideWindow() override { shown = false; }
    std::uintptr_t nativeHandle() const override { return handle_; }

    std::map<layout::ControlId, std::string> texts;
    std::map<layout::ControlId, bool> checked;
    bool shown = false;
    int textsSet = 0;
    layout::ControlId focused = layout::kNoControl;

private:
    std::uintptr_t handle_;
};

class FakeToolkit final : public Toolkit {
public:
    std::unique_ptr<WindowView> buildMainWindow(Form13&) override { return make(main, 13); }
    std::unique_ptr<WindowView> buildSettingsWindow(Form14&) override
    {
        ++settingsBuilt;
        return make(settingsView, 14);
    }
    void quit() override { quitted = true; }
    void showMessage(WindowView& asking, const std::string& text) override
    {
        messages.push_back(text);
        askedBy.push_back(asking.nativeHandle());
    }

    FakeView* main = nullptr;
    FakeView* settingsView = nullptr;
    int settingsBuilt = 0;
    bool quitted = false;
    std::vector<std::string> messages;
    std::vector<std::uintptr_t> askedBy; // the native handle of the window each message box is over

private:
    static std::unique_ptr<WindowView> make(FakeView*& seen, std::uintptr_t handle)
    {
        auto view = std::make_unique<FakeView>(handle);
        seen = view.get();
        return view;
    }
};

class Behaviour : public ::testing::Test {
protected:
    Behaviour() { window.start(); }

    std::vector<std::string> parameters() { return testing::parameters(window.session()); }
    FakeView& settingsView()
    {
        EXPECT_TRUE(toolkit.settingsView) << "the settings window was never built";
        return *toolkit.settingsView;
    }

    TempDir dir;
    FakeToolkit toolkit;
    RecordingOpener help;
    Form13 window{toolkit, dir.utf8(), help};
};

TEST_F(Behaviour, StartsWithTheMainWindowAloneAndTheStartUpValues)
{
    EXPECT_TRUE(toolkit.main->shown);
    EXPECT_EQ(parameters(), (std::vector<std::string>{".wmv", "320", "304", "false"}));
    // The settings window is built when first needed.
    EXPECT_EQ(toolkit.settingsBuilt, 0);
    EXPECT_TRUE(toolkit.messages.empty());
}

TEST_F(Behaviour, SettingsOpenOnceShowingTheFieldsAsTheyAreThenAndFollowThem)
{
    SettingsFields& fields = window.session().settings();
    fields.field(Setting::extension).setText(".avi");
    fields.click(Option::on);

    window.clicked(main::settings);
    ASSERT_EQ(toolkit.settingsBuilt, 1);
    FakeView& view = settingsView();
    EXPECT_TRUE(view.shown);
    EXPECT_TRUE(toolkit.main->shown);
    EXPECT_EQ(view.text(settings::extension), ".avi");
    EXPECT_EQ(view.text(settings::width), "320");
    EXPECT_TRUE(view.checked[settings::on]);
    EXPECT_FALSE(view.checked[settings::off]);

    // The program's changes reach the controls, but only where the text differs.
    fields.field(Setting::width).setText("640");
    EXPECT_EQ(view.text(settings::width), "640");
    const int before = view.textsSet;
    view.texts[settings::width] = "64";
    window.settings().edited(settings::width, "64");
    EXPECT_EQ(view.textsSet, before) << "an edit in progress was written back over itself";
    fields.click(Option::off);
    EXPECT_FALSE(view.checked[settings::on]);
    EXPECT_TRUE(view.checked[settings::off]);

    window.clicked(main::settings);
    EXPECT_EQ(toolkit.settingsBuilt, 1);
    EXPECT_EQ(parameters(), (std::vector<std::string>{".avi", "64", "112", "false"}));
}

TEST_F(Behaviour, SettingsEditsReachTheMainFieldsAsTyped)
{
    window.clicked(main::settings);
    Form14& form = window.settings();
    form.edited(settings::width, "");
    EXPECT_EQ(parameters(), (std::vector<std::string>{".wmv", "", "", "false"}));
    form.edited(settings::width, "640");
    form.edited(settings::extension, "avi");
    form.clicked(settings::on);
    EXPECT_EQ(parameters(), (std::vector<std::string>{"avi", "640", "544", "true"}));
    EXPECT_TRUE(settingsView().checked[settings::on]);
    EXPECT_FALSE(settingsView().checked[settings::off]);
    // Only the typed name changes the name.
    window.edited(main::name, "動画");
    EXPECT_EQ(window.session().main().text(FieldId::name), "動画");
}

TEST_F(Behaviour, BackAndTheCloseBoxOnlyHideTheSettingsWhichKeepTheirValues)
{
    window.clicked(main::settings);
    Form14& form = window.settings();
    form.clicked(settings::on);
    form.clicked(settings::back);
    EXPECT_FALSE(settingsView().shown);
    EXPECT_TRUE(toolkit.main->shown);

    window.clicked(main::settings);
    form.closeRequested();
    EXPECT_FALSE(settingsView().shown);
    EXPECT_FALSE(toolkit.quitted);
    window.clicked(main::settings);
    EXPECT_TRUE(settingsView().checked[settings::on]);
    EXPECT_EQ(parameters()[3], "true");
}

TEST_F(Behaviour, ExitOrClosingTheMainWindowEndsTheProgramWithBothWindows)
{
    window.clicked(main::settings);
    window.clicked(main::exit);
    EXPECT_TRUE(toolkit.quitted);
    EXPECT_FALSE(toolkit.main->shown);
    EXPECT_FALSE(settingsView().shown);
    EXPECT_TRUE(treeContents(dir.path()).empty());

    FakeToolkit other;
    Form13 closed(other, dir.utf8(), help);
    closed.start();
    closed.closeRequested();
    EXPECT_TRUE(other.quitted);
    EXPECT_FALSE(other.main->shown);
    EXPECT_EQ(other.settingsBuilt, 0) << "ending built the settings window";
}

TEST_F(Behaviour, HelpOpensForTheWindowThatAskedAndSaysSoThereWhenThereIsNone)
{
    window.clicked(main::help);
    window.clicked(main::settings);
    window.settings().clicked(settings::help);
    EXPECT_TRUE(help.calls.empty()); // nothing beside the program to open, and it says so
    EXPECT_EQ(toolkit.messages, std::vector<std::string>(2, describeMissingHelp(dir.utf8())));
    EXPECT_EQ(toolkit.askedBy, (std::vector<std::uintptr_t>{13, 14}));

    writeBytes(dir.path() / kHelpPage, "<p>");
    const std::string page = (dir.path() / kHelpPage).string();
    window.clicked(main::help);
    window.settings().clicked(settings::help);
    EXPECT_EQ(help.calls, (std::vector<std::string>{"document 13 " + page, "document 14 " + page}));
    EXPECT_TRUE(toolkit.main->shown && settingsView().shown);
    EXPECT_EQ(parameters(), (std::vector<std::string>{".wmv", "320", "304", "false"}));
}

TEST_F(Behaviour, OneVideoGivenFillsTheNameAndTheExtensionAsTypingWould)
{
    fs::create_directory(dir.path() / "videos");
    const auto video = [&](const std::string& name) { // its path, UTF-8
        writeBytes(dir.path() / "videos" / fromUtf8(name), "");
        return toUtf8(dir.path() / "videos" / fromUtf8(name));
    };
    window.dropped({video("運動会２０２６ 午前.mp4")});
    EXPECT_EQ(toolkit.main->text(main::name), "運動会２０２６ 午前");
    EXPECT_EQ(toolkit.main->focused, main::name);
    EXPECT_EQ(parameters(), (std::vector<std::string>{".mp4", "320", "304", "false"}));
    window.clicked(main::settings);
    EXPECT_EQ(settingsView().text(settings::extension), ".mp4");

    // Anything but one file changes nothing and says why, over the main window.
    window.dropped({toUtf8(dir.path() / "videos")});
    ASSERT_EQ(toolkit.messages.size(), 1u);
    EXPECT_NE(toolkit.messages.back().find("フォルダー"), std::string::npos) << toolkit.messages.back();
    EXPECT_EQ(toolkit.askedBy.back(), 13u);
    EXPECT_EQ(window.session().main().text(FieldId::name), "運動会２０２６ 午前");
}

} // namespace
} // namespace popolun::ui
