#include "player/ScreenCanvas.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace pivlo {

ScreenCanvas::ScreenCanvas(EndingRules rules, std::function<void()> end, QSize size)
    : rules_(std::move(rules)), end_(std::move(end)), size_(size), frame_(size, QImage::Format_RGB32) {
  frame_.fill(Qt::black);
}

ScreenCanvas::~ScreenCanvas() = default;

QSize ScreenCanvas::PrimaryScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return kShowWindowSize;
  const double ratio = screen->devicePixelRatio();
  const QSize size = screen->geometry().size();
  return {int(std::lround(size.width() * ratio)), int(std::lround(size.height() * ratio))};
}

std::unique_ptr<ScreenCanvas> ScreenCanvas::FullScreen(EndingRules rules, std::function<void()> end,
                                                       bool hide_cursor) {
  std::unique_ptr<ScreenCanvas> canvas(new ScreenCanvas(std::move(rules), std::move(end), PrimaryScreenSize()));
  canvas->hide_cursor_ = hide_cursor;
  for (QScreen* screen : QGuiApplication::screens()) canvas->ShowOn(screen);
  QObject::connect(qGuiApp, &QGuiApplication::screenAdded, canvas.get(),
                   [raw = canvas.get()](QScreen* screen) { raw->ShowOn(screen); });
  QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, canvas.get(),
                   [raw = canvas.get()](QScreen* screen) { raw->Forget(screen); });
  // Keys go to the primary monitor's window.
  for (const auto& window : canvas->windows_) {
    if (window->screen() == QGuiApplication::primaryScreen()) window->requestActivate();
  }
  return canvas;
}

std::unique_ptr<ScreenCanvas> ScreenCanvas::Windowed(EndingRules rules, std::function<void()> end,
                                                     const QString& title) {
  std::unique_ptr<ScreenCanvas> canvas(new ScreenCanvas(std::move(rules), std::move(end), kShowWindowSize));
  ShowWindow& window = canvas->AddWindow(QGuiApplication::primaryScreen());
  window.setTitle(title);
  window.resize(kShowWindowSize);
  window.show();
  window.requestActivate();
  return canvas;
}

ShowWindow& ScreenCanvas::AddWindow(QScreen* screen) {
  windows_.push_back(std::make_unique<ShowWindow>(rules_, end_, screen));
  ShowWindow& window = *windows_.back();
  if (export_) window.SetExportKey(export_);
  window.ShowFrame(frame_);
  return window;
}

void ScreenCanvas::SetExportKey(std::function<void(QWindow&)> run) {
  export_ = std::move(run);
  for (const auto& window : windows_) window->SetExportKey(export_);
}

void ScreenCanvas::ShowOn(QScreen* screen) {
  ShowWindow& window = AddWindow(screen);
  window.setFlag(Qt::FramelessWindowHint);
  if (hide_cursor_) window.setCursor(Qt::BlankCursor);
  window.setGeometry(screen->geometry());
  window.showFullScreen();
}

void ScreenCanvas::Forget(QScreen* screen) {
  std::erase_if(windows_, [screen](const std::unique_ptr<ShowWindow>& window) { return window->screen() == screen; });
}

void ScreenCanvas::PresentFrame(const QImage& frame) {
  frame_ = frame.copy();
  for (const auto& window : windows_) window->ShowFrame(frame_);
}

}  // namespace pivlo
