// The settings controls of the main window: each writes its field of the project at once,
// with the side effects the project's rules give it.

#include "builder/FrameChoice.h"
#include "builder/basResourcePackages.h"
#include "core/PathRules.h"
#include "core/SettingRules.h"
#include "media/MusicListModel.h"
#include "media/basGdiPlus.h"
#include "render/TextBoxFitting.h"
#include "render/TransitionPreview.h"
#include "render/basDirect3D.h"
#include "render/basTextStyles.h"
#include "shell/CanvasBox.h"
#include "shell/CommandTexts.h"
#include "shell/FrmMain.h"
#include "shell/NumberKeyFilter.h"
#include "shell/PictureButton.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace pivlo {
namespace {

// The settings pages (FraCT index) whose text the canvas shows in its box.
CanvasMode CanvasModeOfPage(int page) {
  switch (page) {
    case 3: return CanvasMode::kCaption;
    case 4: return CanvasMode::kHeadline;
    case 6: return CanvasMode::kLyrics;
    case 7: return CanvasMode::kTitles;
    default: return CanvasMode::kPictures;
  }
}

void SetChecked(QAbstractButton* button, bool on) {
  const QSignalBlocker block(button);
  button->setChecked(on);
}

void SetRow(QListWidget* list, int row) {
  const QSignalBlocker block(list);
  list->setCurrentRow(row);
}

void SetComboIndex(QComboBox* combo, int index) {
  const QSignalBlocker block(combo);
  combo->setCurrentIndex(index);
}

void SetPlainText(QPlainTextEdit* box, const QString& text) {
  if (box->toPlainText() == text) return;
  const QSignalBlocker block(box);
  box->setPlainText(text);
}

void SetLineText(QLineEdit* box, const QString& text) {
  const QSignalBlocker block(box);
  box->setText(text);
}

// The list's lines, kept as the model's texts.
void MirrorList(QListWidget* list, const QStringList& lines) {
  const QSignalBlocker block(list);
  if (list->count() == lines.size()) {
    for (int i = 0; i < lines.size(); ++i) {
      if (list->item(i)->text() != lines.at(i)) list->item(i)->setText(lines.at(i));
    }
  } else {
    list->clear();
    list->addItems(lines);
  }
}

// The same with the selection and the current row of a list model.
void MirrorList(QListWidget* list, const QStringList& lines, const ListSelection& selection) {
  MirrorList(list, lines);
  const QSignalBlocker block(list);
  for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(selection.IsSelected(i));
  if (selection.Current() >= 0 && selection.Current() < list->count()) {
    list->setCurrentRow(int(selection.Current()), QItemSelectionModel::NoUpdate);
  }
}

QString DisplayPath(const QString& path) {
  return QDir::toNativeSeparators(path);
}

}  // namespace

QString FrmMain::SettingText(int index) const {
  if (auto* line = qobject_cast<QLineEdit*>(TxtSetting[index])) return line->text();
  return static_cast<QPlainTextEdit*>(TxtSetting[index])->toPlainText();
}

void FrmMain::SetSettingText(int index, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(TxtSetting[index])) {
    SetLineText(line, text);
  } else {
    SetPlainText(static_cast<QPlainTextEdit*>(TxtSetting[index]), text);
  }
}

void FrmMain::ConnectSettingControls() {
  // Check boxes whose only effect is their flag.
  const std::pair<QCheckBox*, bool ProjectSettings::*> flags[] = {
      {ChkEnableCaption, &ProjectSettings::enable_caption},
      {ChkEnableFontEffect, &ProjectSettings::enable_headline_effect},
      {ChkEnableTransition, &ProjectSettings::enable_transition},
      {ChkIgnoreMouseEvents, &ProjectSettings::show_cursor},
      {ChkIgnoreMouseMove, &ProjectSettings::ignore_mouse_move},
      {ChkMuteSound, &ProjectSettings::mute_sound},
      {ChkPhotoRandom, &ProjectSettings::play_photo_random},
  };
  for (const auto& [box, field] : flags) {
    connect(box, &QCheckBox::clicked, this, [this, field](bool on) { model_->settings.*field = on; });
  }
  connect(ChkEnableLyric, &QCheckBox::clicked, this, [this](bool on) {
    model_->settings.enable_lyric = on;
    if (on && !model_->songs.isEmpty()) {
      music_->RescanLyrics();
      RefreshMusicLists();
    }
  });
  connect(ChkEnableOpening, &QCheckBox::clicked, this, [this](bool on) {
    model_->settings.enable_opening = on;
    ShowTitleKind(1, model_->settings.title_opening);
  });
  connect(ChkEnableEnding, &QCheckBox::clicked, this, [this](bool on) {
    model_->settings.enable_ending = on;
    ShowTitleKind(2, model_->settings.title_ending);
  });
  connect(ChkExport, &QCheckBox::clicked, this, [this](bool on) {
    model_->settings.enable_export = on;
    TxtExportPW->setEnabled(on);
  });
  connect(ChkFilenameAsCaption, &QCheckBox::clicked, this,
          [this](bool on) { pictures_->ApplyFilenameAsCaption(on); });

  connect(ComboPhotoScale, &QComboBox::activated, this, [this](int position) {
    if (Busy()) {
      SetComboIndex(ComboPhotoScale, model_->settings.img_draw_scale);  // the list shows what stands
      return;
    }
    const bool changed = model_->settings.img_draw_scale != position;
    model_->settings.img_draw_scale = position;
    if (changed && !model_->pictures.isEmpty()) RedrawCanvas();
  });
  connect(CboBackgroundGradient, &QComboBox::activated, this, [this](int position) {
    const bool changed = model_->settings.background_gradient_mode != position;
    model_->settings.background_gradient_mode = position;
    if (changed && HasSelectedPicture()) RedrawCanvas();
  });
  connect(CboBackgroundPictureMode, &QComboBox::activated, this, [this](int position) {
    const qint32 scale = 2 * position + 2;
    const bool changed = model_->settings.background_draw_scale != scale;
    model_->settings.background_draw_scale = scale;
    if (changed && HasSelectedPicture()) RedrawCanvas();
  });
  for (int i = 0; i < 3; ++i) {
    connect(OptBK[i], &QRadioButton::clicked, this, [this, i] { OnBackgroundKind(i); });
    connect(OptMusicOrder[i], &QRadioButton::clicked, this, [this, i] { model_->settings.play_music_order = i; });
  }
  connect(OptSync, &QRadioButton::clicked, this, [this] {
    model_->settings.enable_sync = true;
    TxtTime->setEnabled(false);
  });
  connect(OptSlideDuration, &QRadioButton::clicked, this, [this] {
    model_->settings.enable_sync = false;
    TxtTime->setEnabled(true);
  });
  for (QLabel* label : {LblSolidColor, LblBeginColor, LblEndColor}) label->installEventFilter(this);

  connect(ListTitleStyle, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) model_->settings.title_style = row;
  });
  connect(ListLyricStyle, &QListWidget::currentRowChanged, this, &FrmMain::SetLyricStyle);
  connect(FontList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) model_->font_list_position = row;  // the effect a new picture gets
  });
  connect(FontList, &QListWidget::itemClicked, this,
          [this] { PreviewHeadline(*model_, CurrentPicture(), effects_, *this); });
  connect(StyleList, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    TransitionPreviewContext context{*model_, prompter_, *this, *PicDst, effects_, canvas_frame_};
    PreviewTransition(context, StyleList->row(item));
  });
  connect(StyleList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    const int k = StyleList->row(item);
    if (k >= 0 && k < kTransitionCount) model_->settings.transitions[k] = item->checkState() == Qt::Checked;
  });
  connect(ListPicFrame, &QListWidget::currentRowChanged, this, &FrmMain::ListPicFrame_Click);

  connect(TxtTitleOpening, &QPlainTextEdit::textChanged, this, [this] {
    model_->settings.title_opening = TxtTitleOpening->toPlainText();
    ShowTitleKind(1, model_->settings.title_opening);
  });
  connect(TxtTitleEnding, &QPlainTextEdit::textChanged, this, [this] {
    model_->settings.title_ending = TxtTitleEnding->toPlainText();
    ShowTitleKind(2, model_->settings.title_ending);
  });
  TxtTitleOpening->viewport()->installEventFilter(this);
  TxtTitleEnding->viewport()->installEventFilter(this);
  connect(TxtCaption, &QPlainTextEdit::textChanged, this, [this] {
    ImageEntry* entry = SelectedEntry();
    if (entry == nullptr || !model_->flags.RedrawAllowed) return;
    entry->caption = TxtCaption->toPlainText();
    if (!model_->flags.LoadingFlag) RedrawCanvas();
  });
  connect(TxtHeadline, &QLineEdit::textChanged, this, [this](const QString& text) {
    ImageEntry* entry = SelectedEntry();
    if (entry == nullptr || !model_->flags.RedrawAllowed) return;
    entry->headline = text;
    FitHeadlineBox(*model_, entry, headline_sample_height_);
    if (!model_->flags.LoadingFlag) RedrawCanvas();
  });

  FilterNumberKeys(TxtTime, true);
  FilterNumberKeys(TxtOpeningTime, true);
  FilterNumberKeys(TxtEndingTime, true);
  connect(TxtTime, &QLineEdit::editingFinished, this, &FrmMain::LeaveTimeBox);
  connect(TxtOpeningTime, &QLineEdit::editingFinished, this,
          [this] { LeaveDurationBox(TxtOpeningTime, model_->settings.opening_time_text); });
  connect(TxtEndingTime, &QLineEdit::editingFinished, this,
          [this] { LeaveDurationBox(TxtEndingTime, model_->settings.ending_time_text); });
  connect(TxtTime, &QLineEdit::textEdited, this, [this](const QString& text) { model_->settings.time_text = text; });
  connect(TxtOpeningTime, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_->settings.opening_time_text = text; });
  connect(TxtEndingTime, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_->settings.ending_time_text = text; });

  for (int i = 0; i < kInfoCount; ++i) {
    if (auto* line = qobject_cast<QLineEdit*>(TxtSetting[i])) {
      connect(line, &QLineEdit::textEdited, this, [this, i](const QString& text) { model_->settings.info[i] = text; });
    } else {
      auto* box = static_cast<QPlainTextEdit*>(TxtSetting[i]);
      connect(box, &QPlainTextEdit::textChanged, this, [this, i, box] { model_->settings.info[i] = box->toPlainText(); });
    }
  }
  connect(static_cast<QLineEdit*>(TxtSetting[kInfoName]), &QLineEdit::editingFinished, this, [this] {
    const QString checked = CheckedScreensaverName(SettingText(kInfoName));
    model_->settings.info[kInfoName] = checked;
    SetSettingText(kInfoName, checked);
  });
  connect(TxtExportPW, &QLineEdit::textEdited, this,
          [this](const QString& text) { model_->settings.export_password = text; });

  connect(ImgList, &QListWidget::itemSelectionChanged, this, [this] {
    QList<qsizetype> rows;
    for (const QModelIndex& index : ImgList->selectionModel()->selectedRows()) rows << index.row();
    pictures_->Selection().Select(rows, ImgList->currentRow());
    pictures_->ListClick();
  });
  connect(HScrollPicList, &QScrollBar::valueChanged, this, [this](int value) { pictures_->ScrollBarChanged(value); });
  for (QLabel* box : PicList) {
    box->setFocusPolicy(Qt::ClickFocus);
    box->installEventFilter(this);
  }
  ImgList->installEventFilter(this);
  connect(MusicList, &QListWidget::itemSelectionChanged, this, [this] {
    QList<qsizetype> rows;
    for (const QModelIndex& index : MusicList->selectionModel()->selectedRows()) rows << index.row();
    music_->Selection().Select(rows, MusicList->currentRow());
  });
  connect(ListLyricFile, &QListWidget::itemClicked, this, [this] {
    if (!Busy() && HasSelectedPicture() && !model_->lyric_files.isEmpty()) RedrawCanvas();
  });
}

void FrmMain::LeaveTimeBox() {
  const QString text = NormalizeTimeIntervalText(TxtTime->text());
  model_->settings.time_text = text;
  SetLineText(TxtTime, text);
}

void FrmMain::LeaveDurationBox(QLineEdit* box, QString& field) {
  field = NormalizeDurationText(box->text());
  SetLineText(box, field);
}

void FrmMain::ShowTitleKind(int kind, const QString& text) {
  if (text.isEmpty() || !HasSelectedPicture()) return;
  title_kind_ = kind;
  RedrawCanvas();
}

void FrmMain::OnBackgroundKind(int index) {
  model_->settings.background_kind = QString::number(index + 1);
  ShowBackgroundControls();
  const QString& picture = model_->settings.background_picture;
  // A background picture that has gone is not drawn.
  if (index == 2 && !picture.isEmpty() && picture != QStringLiteral(" ") && !QFileInfo::exists(picture)) return;
  if (model_->flags.RedrawAllowed && HasSelectedPicture()) RedrawCanvas();
}

void FrmMain::ShowBackgroundControls() {
  const QString& kind = model_->settings.background_kind;
  LblSolidColor->setVisible(kind == QStringLiteral("1"));
  for (QWidget* control : {static_cast<QWidget*>(LblBeginColor), static_cast<QWidget*>(LblEndColor),
                           static_cast<QWidget*>(CboBackgroundGradient)}) {
    control->setVisible(kind == QStringLiteral("2"));
  }
  for (QWidget* control : {static_cast<QWidget*>(Button(30)), static_cast<QWidget*>(CboBackgroundPictureMode),
                           static_cast<QWidget*>(LblBackgroundPicture)}) {
    control->setVisible(kind == QStringLiteral("3"));
  }
}

void FrmMain::PaintColourLabel(QLabel* label, Colour colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, QColor::fromRgb(StoredColorToArgb(colour, 255)));
  label->setPalette(palette);
}

void FrmMain::ChooseColourFor(QLabel* label, Colour& colour) {
  if (Busy()) return;
  const std::optional<quint32> chosen = prompter_.ChooseColor(quint32(colour));
  if (!chosen) return;
  colour = Colour(*chosen);
  PaintColourLabel(label, colour);
  if (HasSelectedPicture()) RedrawCanvas();
}

void FrmMain::SetLyricStyle(int style) {
  if (style < 0 || model_->flags.LoadingFlag || Busy()) return;
  model_->settings.lyric_style = style;
  const bool animated = style >= 2;
  Button(35)->setVisible(animated);
  LblLyricDynamicFont->setVisible(animated);
  FitLyricBoxHeight(*model_, PicDst->height());
  if (HasSelectedPicture()) RedrawCanvas();
}

void FrmMain::ApplySettingsToControls() {
  const ProjectSettings& s = model_->settings;
  const bool loading = model_->flags.LoadingFlag;
  model_->flags.LoadingFlag = true;
  SetChecked(ChkEnableCaption, s.enable_caption);
  SetChecked(ChkEnableFontEffect, s.enable_headline_effect);
  SetChecked(ChkEnableTransition, s.enable_transition);
  SetChecked(ChkIgnoreMouseEvents, s.show_cursor);
  SetChecked(ChkIgnoreMouseMove, s.ignore_mouse_move);
  SetChecked(ChkMuteSound, s.mute_sound);
  SetChecked(ChkPhotoRandom, s.play_photo_random);
  SetChecked(ChkEnableLyric, s.enable_lyric);
  SetChecked(ChkEnableOpening, s.enable_opening);
  SetChecked(ChkEnableEnding, s.enable_ending);
  SetChecked(ChkExport, s.enable_export);
  SetChecked(ChkFilenameAsCaption, s.filename_as_caption);
  TxtExportPW->setEnabled(s.enable_export);
  SetLineText(TxtExportPW, s.export_password);

  SetComboIndex(ComboPhotoScale, s.img_draw_scale);
  SetComboIndex(CboBackgroundPictureMode, s.background_draw_scale / 2 - 1);
  SetComboIndex(CboBackgroundGradient, s.background_gradient_mode);
  SetLineText(TxtTime, s.time_text);
  SetLineText(TxtOpeningTime, s.opening_time_text);
  SetLineText(TxtEndingTime, s.ending_time_text);
  SetPlainText(TxtTitleOpening, s.title_opening);
  SetPlainText(TxtTitleEnding, s.title_ending);
  SetChecked(OptPhotoState[0], true);
  SetChecked(OptPhotoState[1], false);
  SetChecked(s.enable_sync ? OptSync : OptSlideDuration, true);
  TxtTime->setEnabled(!s.enable_sync);
  LblLyricFolder->setText(music_->LyricFolderLabel());
  const int kind = qBound(1, s.background_kind.toInt(), 3);
  SetChecked(OptBK[kind - 1], true);
  ShowBackgroundControls();
  PaintColourLabel(LblSolidColor, s.solid_color);
  PaintColourLabel(LblBeginColor, s.begin_color);
  PaintColourLabel(LblEndColor, s.end_color);
  SetChecked(OptMusicOrder[qBound(0, s.play_music_order, 2)], true);
  {
    const QSignalBlocker block(mnuTooltips);
    mnuTooltips->setChecked(s.is_show_tip);
  }
  SetRow(ListLyricStyle, s.lyric_style);
  Button(35)->setVisible(s.lyric_style >= 2);
  LblLyricDynamicFont->setVisible(s.lyric_style >= 2);
  SetRow(ListTitleStyle, s.title_style);
  {
    const QSignalBlocker block(StyleList);
    for (int k = 0; k < StyleList->count() && k < kTransitionCount; ++k) {
      StyleList->item(k)->setCheckState(s.transitions[k] ? Qt::Checked : Qt::Unchecked);
    }
  }
  for (int i = 0; i < kInfoCount; ++i) SetSettingText(i, s.info[i]);
  RestoreFrame();
  ShowPicturePaths();
  model_->flags.LoadingFlag = loading;
  RefreshProjectInfo();
}

void FrmMain::ListPicFrame_Click(int row) {
  if (row == last_frame_row_ || Busy() || model_->flags.LoadingFlag || !Direct3DReady()) return;
  const FrameEntryKind kind = FrameEntryKindAt(row, ListPicFrame->count(), FramePackagesFound());
  model_->flags.BusyFlag = true;
  ShowCustomFrame(kind == FrameEntryKind::kCustom);
  ProjectSettings& s = model_->settings;
  if (kind == FrameEntryKind::kNone) {
    s.picture_frame_num = kNoFrameNumber;
    model_->frame_picture.clear();
    PrepareFramePreview();
    if (HasSelectedPicture()) RedrawCanvas();
  } else if (const std::optional<QByteArray> bytes =
                 FrameBytesOfNumber(FrameNumberOf(kind, row), s.picture_frame_image)) {
    s.picture_frame_num = FrameNumberOf(kind, row);
    model_->frame_picture = *bytes;
    PrepareFramePreview();
    RedrawCanvas();
  }
  last_frame_row_ = row;
  model_->flags.BusyFlag = false;
  if (kind == FrameEntryKind::kDownload) ShowHelpTopic(QStringLiteral("frames"));
}

void FrmMain::ShowCustomFrame(bool shown) {
  LblCustomFrame->setVisible(shown);
  Button(44)->setVisible(shown);
  const QString& path = model_->settings.picture_frame_image;
  LblCustomFrame->setText(IsPathSet(path) ? QFileInfo(path).fileName() : QString());
}

void FrmMain::ResetFrame() {
  model_->settings.picture_frame_num = kNoFrameNumber;
  model_->settings.picture_frame_image.clear();
  model_->frame_picture.clear();
  PrepareFramePreview();
  SetRow(ListPicFrame, 0);
}

void FrmMain::PrepareFramePreview() {
  const QByteArray& frame = model_->frame_picture;
  canvas_frame_ = frame.isEmpty() ? QByteArray() : ScaleBytesToPng(frame, PicDst->size());
  // The effects draw the frame from their own texture, over every frame they show; none
  // must stay there once the frame is taken away.
  if (!Direct3DReady()) return;
  if (canvas_frame_.isEmpty()) {
    ReleaseFrameTexture();
  } else {
    CreateFrameTexture(canvas_frame_);
  }
}

void FrmMain::RestoreFrame() {
  const int custom_row = ListPicFrame->count() - 2;
  const std::optional<QByteArray> bytes =
      Direct3DReady() ? RestoreProjectFrame(model_->settings, !model_->pictures.isEmpty()) : std::nullopt;
  if (bytes) {
    model_->frame_picture = *bytes;
    PrepareFramePreview();
    SetRow(ListPicFrame, custom_row);
  } else if (!Direct3DReady() || model_->settings.picture_frame_num == kNoFrameNumber) {
    ResetFrame();
  }
  ShowCustomFrame(ListPicFrame->currentRow() == custom_row);
  last_frame_row_ = -2;  // the next click always acts
}

void FrmMain::ShowPicturePaths() {
  const ProjectSettings& s = model_->settings;
  LblBackgroundPicture->setText(IsPathSet(s.background_picture) ? QFileInfo(s.background_picture).fileName()
                                                                : tr("未选择背景图片"));
  const auto name = [](QLabel* label, const QString& what, const QString& path) {
    label->setText(what + (IsPathSet(path) ? QFileInfo(path).fileName() : tr("未选择")));
    label->setToolTip(DisplayPath(path));
  };
  name(LblLogo, tr("Logo图片："), s.logo_image);
  name(LblOpeningPicture, tr("片头图片："), s.opening_image);
  name(LblEndingPicture, tr("片尾图片："), s.ending_image);
}

bool FrmMain::HasSelectedPicture() const {
  const int picture = CurrentPicture();
  return picture >= 1 && picture <= model_->pictures.size();
}

ImageEntry* FrmMain::SelectedEntry() {
  return HasSelectedPicture() ? &model_->pictures[CurrentPicture() - 1] : nullptr;
}

void FrmMain::SelectPicture(int picture) {
  if (picture < 1 || picture > model_->pictures.size()) return;
  pictures_->Selection().SelectOnly(picture - 1);
  ListChanged();
  pictures_->ListClick();
}

void FrmMain::ShowPictureFields() {
  const bool loading = model_->flags.LoadingFlag;
  model_->flags.LoadingFlag = true;
  const ImageEntry* entry = SelectedEntry();
  SetPlainText(TxtCaption, entry ? entry->caption : QString());
  SetLineText(TxtHeadline, entry ? entry->headline : QString());
  // The effect list shows the picture's own effect, and a click previews that one.
  if (entry != nullptr && entry->head_dynamic_style >= 0 && entry->head_dynamic_style < FontList->count()) {
    model_->font_list_position = entry->head_dynamic_style;
    SetRow(FontList, entry->head_dynamic_style);
  }
  model_->flags.LoadingFlag = loading;
}

void FrmMain::RedrawCanvas() {
  if (model_ == nullptr || model_->flags.LoadingFlag) return;
  const CanvasPicture shown = canvas_.Compose(*model_, CanvasViewAt(PicDst->size(), false));
  PicDst->ShowImage(shown.image);
  canvas_marker_ = shown.marker;
  effects_.shown_picture = HasSelectedPicture() ? CurrentPicture() : 0;
  PicDst->SetHint(model_->pictures.isEmpty() ? tr("请点击左边的“编辑图片”添加图片，\n这里将显示屏保画面的预览") : QString());
}

CanvasView FrmMain::CanvasViewAt(QSize size, bool full_screen_view) const {
  CanvasView view;
  view.picture = CurrentPicture();
  view.mode = CanvasModeOfPage(visible_page_);
  view.title_kind = title_kind_;
  view.canvas = size;
  if (Direct3DReady() && model_->settings.picture_frame_num != kNoFrameNumber) {
    view.frame = model_->frame_picture;
    view.canvas_frame = canvas_frame_;
  }
  view.full_screen_view = full_screen_view;
  return view;
}

CanvasDragContext FrmMain::DragContext() {
  CanvasDragContext context;
  context.mode = CanvasModeOfPage(visible_page_);
  context.canvas = PicDst->size();
  context.screen = QSize(model_->screen_width, model_->screen_height);
  context.busy = Busy();
  context.has_pictures = !model_->pictures.isEmpty();
  const ProjectSettings& s = model_->settings;
  const ImageEntry* entry = SelectedEntry();
  std::optional<ScreenBox> box;
  switch (context.mode) {
    case CanvasMode::kCaption:
      if (entry != nullptr) box = entry->caption_box;
      context.box_editable = entry != nullptr && !entry->caption.isEmpty();
      break;
    case CanvasMode::kHeadline:
      if (entry != nullptr) box = entry->headline_box;
      context.box_editable = entry != nullptr && !entry->headline.isEmpty();
      break;
    case CanvasMode::kLyrics:
      box = s.lyric_box;
      context.box_editable = !model_->lyric_files.isEmpty();
      break;
    case CanvasMode::kTitles:
      box = s.title_box;
      context.box_editable =
          (!s.title_opening.isEmpty() && s.enable_opening) || (!s.title_ending.isEmpty() && s.enable_ending);
      break;
    case CanvasMode::kPictures: break;
  }
  if (box) context.box = ScaledRect(QRect(box->x, box->y, box->w, box->h), context.screen, context.canvas);
  context.random_placement = s.img_draw_scale == kPlaceAtPoint && canvas_marker_.has_value();
  context.marker = canvas_marker_.value_or(QRect());
  return context;
}

bool FrmMain::CanvasMouseEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      drag_.Move(static_cast<QMouseEvent*>(event)->position().toPoint(), DragContext());
      break;
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
      drag_.Press(static_cast<QMouseEvent*>(event)->position().toPoint(), DragContext());
      break;
    case QEvent::MouseButtonRelease: {
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
      const CanvasDrop drop = drag_.Release(DragContext());
      if (StoreCanvasDrop(drop, *model_, SelectedEntry())) RedrawCanvas();
      break;
    }
    case QEvent::Leave: drag_.EndHover(); break;
    default: return false;
  }
  ShowDragState();
  return true;
}

void FrmMain::ShowDragState() {
  Qt::CursorShape shape = Qt::ArrowCursor;
  switch (drag_.Cursor()) {
    case CanvasCursor::kNormal: break;
    case CanvasCursor::kMove: shape = Qt::SizeAllCursor; break;
    case CanvasCursor::kResizeNwSe: shape = Qt::SizeFDiagCursor; break;
    case CanvasCursor::kResizeNeSw: shape = Qt::SizeBDiagCursor; break;
    case CanvasCursor::kResizeWE: shape = Qt::SizeHorCursor; break;
    case CanvasCursor::kResizeNS: shape = Qt::SizeVerCursor; break;
  }
  PicDst->setCursor(shape);
  PicDst->SetShapes(drag_.OutlineVisible() ? std::optional<QRect>(drag_.Outline()) : std::nullopt,
                    drag_.MarkerVisible() ? std::optional<QRect>(drag_.Marker()) : std::nullopt, highlight_colour_);
}

// PictureListView

void FrmMain::ListChanged() {
  QStringList lines;
  for (const ImageEntry& entry : model_->pictures) lines << DisplayPath(entry.file);
  MirrorList(ImgList, lines, pictures_->Selection());
  RefreshProjectInfo();
}

void FrmMain::StripChanged() {
  for (int k = 0; k < PictureList::kStripBoxes; ++k) {
    PicList[k]->setPixmap(QPixmap::fromImage(pictures_->StripBox(k)));
    LblNum[k]->setText(QString::number(pictures_->StripLabel(k)));
    const bool outlined = k == pictures_->OutlinedBox();
    PicList[k]->setFrameShape(outlined ? QFrame::Box : QFrame::StyledPanel);
    PicList[k]->setLineWidth(outlined ? 2 : 1);
    PicList[k]->setForegroundRole(outlined ? QPalette::Highlight : QPalette::WindowText);
  }
  const QSignalBlocker block(HScrollPicList);
  HScrollPicList->setRange(PictureList::kScrollMinimum, pictures_->ScrollMaximum());
  HScrollPicList->setValue(pictures_->ScrollValue());
}

void FrmMain::SetListEnabled(bool enabled) {
  ImgList->setEnabled(enabled);
  HScrollPicList->setEnabled(enabled);
}

void FrmMain::LoadPictureFields(int) {
  ShowPictureFields();
}

void FrmMain::DrawPicture(int) {
  RedrawCanvas();
}

void FrmMain::RefreshCanvas() {
  PicDst->repaint();
}

void FrmMain::ClearCanvas() {
  PicDst->Clear();
  RedrawCanvas();
}

void FrmMain::RefreshMusicLists() {
  QStringList songs;
  for (const SongEntry& song : model_->songs) songs << DisplayPath(song.file);
  MirrorList(MusicList, songs, music_->Selection());
  QStringList lyrics;
  for (const QString& lyric : model_->lyric_files) lyrics << DisplayPath(lyric);
  MirrorList(ListLyricFile, lyrics);
  RefreshProjectInfo();
}

void FrmMain::RefreshProjectInfo() {
  if (LblProjectInfo == nullptr || model_ == nullptr) return;
  const QString file = model_->file_name.isEmpty() ? tr("未保存") : QFileInfo(model_->file_name).fileName();
  LblProjectInfo->setText(tr("<b>%1</b><br>图片：%2 张　　音乐：%3 首　　歌词：%4 个<br>配置文件：%5")
                              .arg(model_->settings.info[kInfoName].toHtmlEscaped())
                              .arg(model_->pictures.size())
                              .arg(model_->songs.size())
                              .arg(model_->lyric_files.size())
                              .arg(file.toHtmlEscaped()));
}

}  // namespace pivlo
