// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/design_apply.hpp"

#include "box_fixture.hpp"
#include "design/driver_figures.hpp"

namespace ventbox::test {
namespace {

// Typing a text over a field's selected text, one key at a time.
void typeKeys(TBox& box, Edit edit, const std::string& text) {
    for (std::size_t n = 1; n <= text.size(); ++n) box.userEditedText(edit, text.substr(0, n));
}

class ApplyTest : public BoxTest {
protected:
    // The same start in a second window, whose fields the user types.
    ApplyTest() {
        std::filesystem::create_directory(typedDir.path() / "Data");
        typedPlatform.directory = typedDir.path().string();
        typedPlatform.box = &typed;
        start();
        typed.windowCreated();
        typedPlatform.onScreen = true;
    }

    Alignment c4() const {
        const std::vector<Alignment> all =
            alignmentsFor(driverFiguresOf(box.design(), box.results()), kDefaultQl);
        return all[static_cast<std::size_t>(AlignmentFamily::C4)];
    }

    TempDir typedDir;
    FakePlatform typedPlatform;
    TBox typed{typedPlatform};
};

TEST_F(ApplyTest, writesTheFieldsAsTypingThemWould) {
    const AlignedBox sized = applyAlignment(box, c4());
    for (const Field field : {Field::BL1, Field::BL2, Field::BL3, Field::L3}) {
        typeKeys(typed, editOf(field), sized.texts[static_cast<std::size_t>(field)]);
    }
    EXPECT_EQ(texts(), sized.texts);
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        EXPECT_EQ(box.text(static_cast<Edit>(i)), typed.text(static_cast<Edit>(i))) << i;
        EXPECT_EQ(box.design().value(static_cast<Field>(i)),
                  typed.design().value(static_cast<Field>(i)));
    }
    for (std::size_t i = 0; i < kResultCount; ++i) {
        EXPECT_EQ(box.caption(static_cast<ResultLabel>(i)),
                  typed.caption(static_cast<ResultLabel>(i)));
    }
    EXPECT_EQ(box.results().fd, sized.duct.calculated.results.fd);
    EXPECT_TRUE(platform.errors().empty());

    // Closing saves the applied design as it saves the typed one.
    EXPECT_TRUE(box.userRequestedClose());
    EXPECT_TRUE(typed.userRequestedClose());
    EXPECT_EQ(readBytes(dataFile("FW208Kolvex")),
              readBytes(typedDir.path() / "Data" / "FW208Kolvex.dat"));
    EXPECT_NE(readBytes(dataFile("FW208Kolvex")), kExampleFile);
}

TEST_F(ApplyTest, tunesTheDuctOrChangesNothing) {
    const DuctTuning tuning = applyTuning(box, 40);
    typeKeys(typed, Edit::L3, tuning.text);
    EXPECT_EQ(texts(), [&] {
        Texts t;
        for (std::size_t i = 0; i < kFieldCount; ++i) t[i] = typed.text(static_cast<Edit>(i));
        return t;
    }());
    EXPECT_EQ(box.results().fd, tuning.calculated.results.fd);

    const Texts before = texts();
    const Captions shown = captions();
    EXPECT_THROW(applyTuning(box, 500), NoTuning);
    Alignment none = c4();
    none.found = false;
    EXPECT_THROW(applyAlignment(box, none), NoTuning);
    box.userEditedText(Edit::A, "abc");
    EXPECT_THROW(applyAlignment(box, c4()), ConversionError);
    for (const Field unchanged : {Field::BL1, Field::L3}) {
        const auto i = static_cast<std::size_t>(unchanged);
        EXPECT_EQ(texts()[i], before[i]);
    }
    EXPECT_EQ(captions(), shown);
    EXPECT_TRUE(platform.errors().empty());
}

}  // namespace
}  // namespace ventbox::test
