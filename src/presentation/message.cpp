#include "presentation/message.h"

#include "gfx/color.h"
#include "presentation/controls/UCFont.h"
#include "presentation/controls/UcScroll.h"

MessageWindow& messageWindow() {
  static MessageWindow w;
  return w;
}

void WriteMessage(std::string_view Text, bool KeepOpen) {
  MessageWindow& m = messageWindow();
  if (m.onWrite) m.onWrite(Text, KeepOpen);
  int32_t x = m.MessageLineEndX;
  if (!m.MessageLineOpen) {
    x = 4;
    if (Text.empty() && !KeepOpen) {
      m.MessageLineOpen = false;
      return;
    }
    if (m.UcSc) {
      m.UcSc->AddBlock(0, 32);
      m.UcSc->SetBlock(32);
    }
  }
  if (m.UcSc && m.UCFt) {
    // The renderer is shared: set everything this line depends on.
    UCFont& ft = *m.UCFt;
    ft.SetFontName(m.FontName);
    ft.SetFontSize(15);
    ft.SetFontStroke(0);
    ft.SetDefaultColor(static_cast<int32_t>(gfx::rgb(255, 255, 255)), static_cast<int32_t>(gfx::rgb(180, 180, 180)));
    std::string line = "{K&1}";
    line += Text;
    ft.FontWrite(m.UcSc->GetMainHdc(), line, x, m.UcSc->height() - 29);
    m.UcSc->BackCopy();
    m.UcSc->Refresh();
  }
  m.MessageLineOpen = KeepOpen;
  if (KeepOpen) m.MessageLineEndX = m.UCFt ? m.UCFt->GetLastX() : x;
}
