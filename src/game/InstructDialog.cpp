#include "game/InstructDialog.h"

#include "lang/Ref.h"
#include "sprite/TextSprite.h"
#include "window/Font.h"

MENTARIUM_DEFINE_METACLASS(InstructDialog)

namespace {
constexpr const char* kFontFace = "Arial";
constexpr int kVersionSize = 10;
constexpr uint32_t kVersionColour = 0xFF191900;
}  // namespace

void InstructDialog::onLoaded(sprite::DataLoader* loader) {
    GameScreen::onLoaded(loader);
    if (auto* version = child<sprite::TextSprite>("version")) {
        lang::Ref<window::Font> font(new window::Font(lang::String(kFontFace), kVersionSize));
        version->setFont(font.get());
        version->setColors(kVersionColour & 0xFFFFFF, 0);
        lang::String text("v");
        text.append(Version);
        version->setText(text);
    }
}

lang::String InstructDialog::onAction(const lang::String& button) {
    if (button.equals("bInstructionsClose")) {
        clickSound();
        setVisible(false);
    }
    return button;
}
