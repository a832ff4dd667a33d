// The key table, event translation and message-box planning, as pure functions.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/backend/sdl/SdlEvents.h"
#include "platform/backend/sdl/SdlKeys.h"
#include "platform/backend/sdl/SdlMessageBox.h"

namespace zorva::platform {
namespace {

TEST(SdlKeys, MapsEveryKeyOfTheTableToItsVirtualKey) {
  EXPECT_EQ(virtualKeyFor(SDLK_a), 'A');
  EXPECT_EQ(virtualKeyFor(SDLK_z), 'Z');
  EXPECT_EQ(virtualKeyFor(SDLK_0), '0');
  EXPECT_EQ(virtualKeyFor(SDLK_9), '9');
  EXPECT_EQ(virtualKeyFor(SDLK_F1), 0x70u);
  EXPECT_EQ(virtualKeyFor(SDLK_F12), 0x7Bu);
  EXPECT_EQ(virtualKeyFor(SDLK_LEFT), 0x25u);
  EXPECT_EQ(virtualKeyFor(SDLK_UP), 0x26u);
  EXPECT_EQ(virtualKeyFor(SDLK_RIGHT), 0x27u);
  EXPECT_EQ(virtualKeyFor(SDLK_DOWN), 0x28u);
  EXPECT_EQ(virtualKeyFor(SDLK_RETURN), 0x0Du);
  EXPECT_EQ(virtualKeyFor(SDLK_KP_ENTER), 0x0Du);
  EXPECT_EQ(virtualKeyFor(SDLK_ESCAPE), 0x1Bu);
  EXPECT_EQ(virtualKeyFor(SDLK_BACKSPACE), 0x08u);
  EXPECT_EQ(virtualKeyFor(SDLK_DELETE), 0x2Eu);
  EXPECT_EQ(virtualKeyFor(SDLK_INSERT), 0x2Du);
  EXPECT_EQ(virtualKeyFor(SDLK_TAB), 0x09u);
  EXPECT_EQ(virtualKeyFor(SDLK_SPACE), 0x20u);
  EXPECT_EQ(virtualKeyFor(SDLK_LSHIFT), 0x10u);
  EXPECT_EQ(virtualKeyFor(SDLK_RSHIFT), 0x10u);
  EXPECT_EQ(virtualKeyFor(SDLK_LCTRL), 0x11u);
  EXPECT_EQ(virtualKeyFor(SDLK_RALT), 0x12u);
}

TEST(SdlKeys, KeysOutsideTheTableAndModifierBits) {
  EXPECT_EQ(virtualKeyFor(SDLK_F13), 0u);  // just past the F-key run
  EXPECT_EQ(virtualKeyFor(SDLK_CAPSLOCK), 0u);
  EXPECT_EQ(virtualKeyFor(SDLK_BACKQUOTE), 0u);  // '`' sits just before 'a'
  EXPECT_EQ(modifiersFor(KMOD_NONE), 0u);
  EXPECT_EQ(modifiersFor(KMOD_RSHIFT), static_cast<unsigned>(ModShift));
  EXPECT_EQ(modifiersFor(KMOD_LCTRL | KMOD_RALT), static_cast<unsigned>(ModCtrl | ModAlt));
  EXPECT_EQ(modifiersFor(KMOD_NUM | KMOD_CAPS), 0u);
}

SDL_Event windowEvent(Uint8 what, Uint32 window, int d1 = 0, int d2 = 0) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = window;
  e.window.event = what;
  e.window.data1 = d1;
  e.window.data2 = d2;
  return e;
}

TEST(SdlEvents, MouseEventsCarryContentPositionButtonAndModifiers) {
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.common.timestamp = 1234;
  e.button.windowID = 7;
  e.button.button = SDL_BUTTON_RIGHT;
  e.button.x = 31;
  e.button.y = 45;
  InputEvent out;
  ASSERT_TRUE(translateEvent(e, 7, KMOD_LSHIFT, out));
  EXPECT_EQ(out.kind, InputKind::MouseDown);
  EXPECT_EQ(out.button, MouseButton::Right);
  EXPECT_EQ(out.x, 31);
  EXPECT_EQ(out.y, 45);
  EXPECT_EQ(out.modifiers, static_cast<unsigned>(ModShift));
  EXPECT_EQ(out.time_ms, 1234u);

  e.type = SDL_MOUSEBUTTONUP;
  e.button.button = SDL_BUTTON_MIDDLE;
  ASSERT_TRUE(translateEvent(e, 7, 0, out));
  EXPECT_EQ(out.kind, InputKind::MouseUp);
  EXPECT_EQ(out.button, MouseButton::Middle);

  e.button.button = SDL_BUTTON_X1;
  EXPECT_FALSE(translateEvent(e, 7, 0, out));
  e.button.button = SDL_BUTTON_LEFT;
  EXPECT_FALSE(translateEvent(e, 8, 0, out)) << "another window's click";

  SDL_Event m{};
  m.type = SDL_MOUSEMOTION;
  m.motion.windowID = 7;
  m.motion.x = 5;
  m.motion.y = 6;
  ASSERT_TRUE(translateEvent(m, 7, KMOD_CTRL, out));
  EXPECT_EQ(out.kind, InputKind::MouseMove);
  EXPECT_EQ(out.x, 5);
  EXPECT_EQ(out.y, 6);
  EXPECT_EQ(out.modifiers, static_cast<unsigned>(ModCtrl));
}

TEST(SdlEvents, KeysTranslateOrAreSkipped) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.windowID = 3;
  e.key.keysym.sym = SDLK_q;
  e.key.keysym.mod = KMOD_LALT;
  InputEvent out;
  ASSERT_TRUE(translateEvent(e, 3, KMOD_NONE, out));
  EXPECT_EQ(out.kind, InputKind::KeyDown);
  EXPECT_EQ(out.virtual_key, static_cast<unsigned>('Q'));
  EXPECT_EQ(out.modifiers, static_cast<unsigned>(ModAlt)) << "the key's own modifiers count";
  e.type = SDL_KEYUP;
  ASSERT_TRUE(translateEvent(e, 3, KMOD_NONE, out));
  EXPECT_EQ(out.kind, InputKind::KeyUp);
  e.key.windowID = 0;
  ASSERT_TRUE(translateEvent(e, 3, KMOD_NONE, out)) << "a key SDL tied to no window is still ours";
  EXPECT_EQ(out.virtual_key, static_cast<unsigned>('Q'));
  e.key.windowID = 4;
  EXPECT_FALSE(translateEvent(e, 3, KMOD_NONE, out)) << "another window's key";
  e.key.windowID = 3;
  e.key.keysym.sym = SDLK_CAPSLOCK;
  EXPECT_FALSE(translateEvent(e, 3, KMOD_NONE, out));
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  EXPECT_FALSE(translateEvent(wheel, 0, KMOD_NONE, out));
}

TEST(SdlEvents, WindowEventsCloseExposeAndResize) {
  InputEvent out;
  ASSERT_TRUE(translateEvent(windowEvent(SDL_WINDOWEVENT_CLOSE, 2), 2, 0, out));
  EXPECT_EQ(out.kind, InputKind::CloseRequest);
  ASSERT_TRUE(translateEvent(windowEvent(SDL_WINDOWEVENT_EXPOSED, 2), 2, 0, out));
  EXPECT_EQ(out.kind, InputKind::Expose);
  ASSERT_TRUE(translateEvent(windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 2, 640, 410), 2, 0, out));
  EXPECT_EQ(out.kind, InputKind::Resize);
  EXPECT_EQ(out.width, 640);
  EXPECT_EQ(out.height, 410);
  EXPECT_FALSE(translateEvent(windowEvent(SDL_WINDOWEVENT_RESIZED, 2, 640, 410), 2, 0, out))
      << "one report per size change";
  EXPECT_FALSE(translateEvent(windowEvent(SDL_WINDOWEVENT_CLOSE, 9), 2, 0, out));
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_TRUE(translateEvent(quit, 2, 0, out));
  EXPECT_EQ(out.kind, InputKind::CloseRequest);
}

struct PlannedButton {
  int id;
  bool enter;
  bool escape;
};

std::vector<PlannedButton> buttonsOf(const MessageBoxPlan& plan) {
  std::vector<PlannedButton> out;
  for (const auto& b : plan.buttons) {
    out.push_back({b.id, b.enter, b.escape});
  }
  return out;
}

void expectButtons(unsigned flags, std::vector<PlannedButton> want, int dismissed) {
  const MessageBoxPlan plan = planMessageBox(flags);
  const auto got = buttonsOf(plan);
  ASSERT_EQ(got.size(), want.size()) << "flags " << flags;
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].id, want[i].id) << "flags " << flags << " button " << i;
    EXPECT_EQ(got[i].enter, want[i].enter) << "flags " << flags << " button " << i;
    EXPECT_EQ(got[i].escape, want[i].escape) << "flags " << flags << " button " << i;
  }
  EXPECT_EQ(plan.dismissed, dismissed) << "flags " << flags;
}

TEST(SdlMessageBox, ButtonsDefaultsAndEscapeFollowTheFlags) {
  expectButtons(0x0, {{1, true, true}}, 1);                                  // MB_OK
  expectButtons(0x1, {{1, true, false}, {2, false, true}}, 2);               // MB_OKCANCEL
  expectButtons(0x4, {{6, true, false}, {7, false, true}}, 7);               // MB_YESNO
  expectButtons(0x4 | 0x100, {{6, false, false}, {7, true, true}}, 7);       // MB_DEFBUTTON2
  expectButtons(0x3 | 0x200, {{6, false, false}, {7, false, false}, {2, true, true}}, 2);
  expectButtons(0x5, {{4, true, false}, {2, false, true}}, 2);               // MB_RETRYCANCEL
  expectButtons(0x2, {{3, true, true}, {4, false, false}, {5, false, false}}, 3);
}

TEST(SdlMessageBox, IconsAndRefusedFlags) {
  EXPECT_EQ(planMessageBox(0x10).icon, MessageBoxIcon::Error);
  EXPECT_EQ(planMessageBox(0x20).icon, MessageBoxIcon::Question);
  EXPECT_EQ(planMessageBox(0x30).icon, MessageBoxIcon::Warning);
  EXPECT_EQ(planMessageBox(0x40).icon, MessageBoxIcon::Information);
  EXPECT_NE(planMessageBox(0x1000).buttons.size(), 0u) << "MB_SYSTEMMODAL is still a modal box";
  EXPECT_THROW(planMessageBox(0x6), std::invalid_argument);          // MB_CANCELTRYCONTINUE
  EXPECT_THROW(planMessageBox(0x50), std::invalid_argument);         // no such icon
  EXPECT_THROW(planMessageBox(0x0 | 0x100), std::invalid_argument);  // second button of one
  EXPECT_THROW(planMessageBox(0x4000), std::invalid_argument);       // MB_HELP
}

}  // namespace
}  // namespace zorva::platform
