// The display: time counter, position slider, title and song labels, the graph and the caption.
#include <cmath>

#include "platform/ui/WindowSystem.h"
#include "s/gui/counter/CounterData.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Counter.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/ListBox2.h"
#include "s/gui/win/Slider.h"
#include "s/gui/win/Window.h"
#include "s/sound/DurationText.h"
#include "s/sound/gui/dialogs/player/Dialog.h"
#include "s/sound/gui/dialogs/player/MprisBridge.h"

namespace s::sound::gui::dialogs::player {

bool Dialog::onWindowThread(const std::function<void()>& work) {
  if (closing_ || !window_) return false;
  bool ran = false;
  window_->run([&] {
    // The window may have begun closing while this request waited for its thread.
    if (closing_) return;
    work();
    ran = true;
  });
  return ran;
}

void Dialog::showProgress() {
  if (state_.stopRequest || !tree_.time) return;
  tree_.time->setText(DurationText::format(static_cast<uint32_t>(std::max(0, state_.shownSeconds.load()))));
  const int target = static_cast<int>(std::trunc(state_.positionPercent.load() * 10.0f));
  // While the user holds the thumb the slider shows where they are dragging to, not the song.
  if (tree_.position->getValue() != target && !tree_.position->isDragging()) tree_.position->setValue(target);
  if (!state_.titleText.empty()) {
    clearTitleLabel();
    tree_.song->setText(state_.titleText);
    window_->setTitle(state_.titleText);
    state_.lastTitle = state_.titleText;
    state_.titleText.clear();
  }
}

void Dialog::showIdle() {
  state_.playThreadStarted = false;
  state_.stopRequest = false;
  state_.playing = false;
  state_.paused = false;
  if (!tree_.time) return;
  tree_.play->setText(u"#Play");
  tree_.time->setText(u"0:00");
  tree_.song->setText(u"");
  setCaptionToProductName();
  tree_.title->setTextId(DialogTree::kProductNameText);
  tree_.display->getFirstSeries()->clear();
  repaintDisplay();
  tree_.position->setValue(0);
  mprisChanged();
}

// Without its text id, so that a change of language does not bring the product name back.
void Dialog::clearTitleLabel() {
  tree_.title->setTextId(-1);
  tree_.title->setText(u"");
}

// The labels over the graph show it through: they are painted again with it.
void Dialog::repaintDisplay() {
  services_.windowSystem->invalidateTree(tree_.display->nativeHandle());
}

void Dialog::mprisChanged() {
  if (mpris_) mpris_->changed();
}

void Dialog::setCaptionToProductName() { window_->setTitle(text(kProductNameText)); }

void Dialog::showPlayButton(bool pauseGlyph) {
  if (tree_.play) tree_.play->setText(pauseGlyph ? u"#Pause" : u"#Play");
  mprisChanged();
}

void Dialog::showPaused(bool paused) {
  if (!tree_.title) return;
  if (paused) {
    tree_.song->setText(u"");
    tree_.title->setTextId(kPausedText);
  } else {
    clearTitleLabel();
    tree_.song->setText(state_.lastTitle);
  }
  mprisChanged();
}

void Dialog::showPlayError(const std::u16string& message) {
  if (window_) window_->showError(message);
}

void Dialog::playingRowChanged() {
  if (tree_.list) tree_.list->repaint();
  mprisChanged();
}

void Dialog::addGraphColumn(int32_t value, bool clearFirst) {
  onWindowThread([&] {
    s::gui::counter::CounterData& series = *tree_.display->getFirstSeries();
    if (clearFirst) series.clear();
    series.addSample(value);
    repaintDisplay();
  });
}

}  // namespace s::sound::gui::dialogs::player
