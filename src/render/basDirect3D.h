#pragma once

#include "render/CanvasWindow.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QtGlobal>

namespace pivlo {

struct TextLook;

// The binding to the graphics runtime (pivlofx, found and loaded at run time): the probe,
// one device on the canvas, four textures with a sprite each, and the three drawing
// primitives every effect is made of. One instance for the program, window thread only.

// Outcomes of the probe. 1 and 2 name system files this platform does not have; they
// are never set here but keep their texts.
enum Direct3DStatusCode : qint32 {
  kDirect3DOk = 0,
  kDirect3DNoD3d8thk = 1,
  kDirect3DNoD3d9 = 2,
  kDirect3DNoRuntime = 3,     // the runtime or one of its entry points is missing
  kDirect3DNoDevice = 4,      // no device could be made on the canvas
  kDirect3DNoTexture = 5,     // the test texture from the rainbow picture failed
  kDirect3DUnknownError = 6,
};

// The picture slots of the transitions; slot 1 also holds any screen a transition prepares.
constexpr int kPictureSlotOne = 1;
constexpr int kPictureSlotTwo = 2;

// Width or height of DrawFrameRegion meaning "up to the far edge of the overlay".
constexpr float kWholeOverlay = -32000.0f;

qint32 Direct3DStatus();
bool Direct3DReady();
// The device is lost or waits for a reset; frames are skipped.
bool DeviceLost();
// The last texture or sprite creation, or a sprite draw, failed; frames are skipped until
// the next successful creation.
bool ResourceFailed();
// W x H: the canvas's inner size, equal to the back buffer's.
QSize BackBufferSize();
// -1 when the device wants power-of-two textures, else -2 (the image's own size).
qint32 TextureSizeRule();

// The message start-up shows for a status (empty for 0); texts naming the extension
// library name the runtime's file instead.
QString Direct3DStatusText(qint32 status, const QString& runtime_file_name);

// The probe: loads the runtime from its path, makes a device on the canvas and a test
// texture from the rainbow picture (RainbowPicture()), then sets Direct3DStatus and
// Direct3DReady. On failure everything is released again. The canvas must outlive the
// binding (until ReleaseDirect3D).
void InitDirect3D(CanvasWindow& canvas, const QString& runtime_path);
// Releases sprites, textures, device and runtime, each when present.
void ReleaseDirect3D();
// Device-loss handling, run on every timer tick while Direct3DReady.
void CheckDevice();
// Resets the device after a loss, taking the canvas's size again.
void ResetDevice();
// The canvas tells the device that its surface went away (hidden, minimised) or is back;
// CheckDevice then notices the loss and, once the surface is back, resets.
void CanvasSurfaceLost();
void CanvasSurfaceRestored();

// The picture box's image as an in-memory 24-bit BMP (54-byte header, rows bottom-up,
// each padded to a multiple of 4 bytes). Transparent pixels are taken as over black.
QByteArray CaptureBoxAsBmp(const QImage& box);

// Textures. Each sets ResourceFailed on failure (leaving its texture empty) and clears it
// on success.
void CreatePictureTexture(const QByteArray& picture_bytes, int slot);
// The same from a picture box or memory bitmap, captured as BMP first.
void CreatePictureTexture(const QImage& box, int slot);
void CreateFrameTexture(const QByteArray& png_bytes);
// The text drawn into a transparent image of the box's size (RenderTextToPng).
void CreateTextTexture(const QString& text, const TextLook& look, const QRectF& box);
// Exchanges the pictures of the two slots (no texture is made again): what a transition
// brought in becomes the outgoing picture of the next one.
void SwapPictureSlots();
// Drops the frame overlay (no frame chosen): DrawFrameRegion then draws nothing.
void ReleaseFrameTexture();

// Frame structure: BeginScene, draws and clears, EndScene, Present. Failures are ignored.
void BeginScene();
void ClearBackBuffer(quint32 argb);
// Clears only the region (clipped to the back buffer).
void ClearBackBufferRegion(const QRect& region, quint32 argb);
void EndScene();
void Present();

// One sprite draw of a picture slot. A source width and height of 0 take the whole
// canvas-sized picture from (sx, sy); a negative size mirrors to the other side of x or y.
void DrawPicture(float x, float y, float width, float height, int slot, int alpha, float sx, float sy,
                 float sw, float sh, bool with_frame);
// One sprite draw of the frame overlay's region (x, y, w, h) in place; nothing when no
// frame is chosen or w or h is 0. kWholeOverlay as w and h means the whole overlay.
void DrawFrameRegion(float x, float y, float width, float height);
// The whole frame overlay: DrawFrameRegion(0, 0, kWholeOverlay, kWholeOverlay).
void DrawWholeFrame();
// One sprite draw of the text texture; source size 0 means the whole text.
void DrawTextSprite(float x, float y, float width, float height, int alpha, float sx, float sy, float sw,
                    float sh);
// One presented frame: the whole picture slot 1 and the frame overlay.
void RenderStill();

// alpha << 24 | red << 16 | green << 8 | blue, each held to 0..255.
quint32 MakeArgb(int alpha, int red, int green, int blue);

}  // namespace pivlo
