#pragma once
/*
 * pivlofx: the graphics runtime that the editor and the player load at run time.
 *
 * A small C ABI modelled on a sprite device: one device per target window, textures
 * made from encoded picture bytes, sprites that draw a rectangle cut from a texture under
 * a 2-D scale and translation with a modulating alpha, clear, begin/end scene and
 * present. This implementation is software: the back buffer is a premultiplied ARGB32
 * image drawn with alpha blending and bilinear filtering, and it keeps its content from
 * one present to the next, so effects may draw only what changes.
 *
 * Conventions
 * - Every function returning int returns PIVLOFX_OK (0) or one of the PIVLOFX_E_*
 *   codes (negative 32-bit values, the device-error codes of the sprite device model).
 *   Null handles give PIVLOFX_E_INVALIDCALL; release functions accept null.
 * - Colours are 0xAARRGGBB. Rectangles are four ints: left, top, right, bottom, in
 *   texture pixels; right < left (or bottom < top) samples the texture backwards.
 * - Transforms are 4x4 float matrices, row-major, applied to row vectors: a texture
 *   pixel (u, v) of the rectangle lands at ((u - left) m[0] + (v - top) m[4] + m[12],
 *   (u - left) m[1] + (v - top) m[5] + m[13]). A negative scale mirrors.
 * - Present hands the back buffer to the host: pixels (premultiplied ARGB32, native
 *   byte order, as QImage::Format_ARGB32_Premultiplied), width, height and stride in
 *   bytes. The pixels are valid only during the call.
 * - All calls for one device come from one thread.
 *
 * Device life: create -> (begin_scene, draws and clears, end_scene, present)* ->
 * release. When the host's surface goes away it tells the device
 * (PIVLOFX_SURFACE_LOST): the cooperative-level test then reports DEVICELOST and
 * presents are refused; once the surface is back (PIVLOFX_SURFACE_RESTORED) the test
 * reports DEVICENOTRESET until reset() re-creates the back buffer (cleared to black).
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(PIVLOFX_BUILDING)
#define PIVLOFX_API __attribute__((visibility("default")))
#else
#define PIVLOFX_API
#endif

#define PIVLOFX_ABI_VERSION 1

#define PIVLOFX_OK 0
#define PIVLOFX_E_DEVICELOST ((int32_t)0x88760868u)
#define PIVLOFX_E_DEVICENOTRESET ((int32_t)0x88760869u)
#define PIVLOFX_E_DRIVERINTERNALERROR ((int32_t)0x88760827u)
#define PIVLOFX_E_NOTAVAILABLE ((int32_t)0x8876086Au)
#define PIVLOFX_E_INVALIDCALL ((int32_t)0x8876086Cu)
#define PIVLOFX_E_INVALIDDATA ((int32_t)0x88760B59u)
#define PIVLOFX_E_OUTOFMEMORY ((int32_t)0x8007000Eu)

/* Texture capability bit: textures must have power-of-two sides. */
#define PIVLOFX_TEXTURECAPS_POW2 2

/* Texture size rules (the width and height arguments of texture creation). */
#define PIVLOFX_SIZE_POW2 (-1)  /* the image size rounded up to powers of two */
#define PIVLOFX_SIZE_IMAGE (-2) /* exactly the image size */

/* Sprite begin flag: blend with the alpha of texture and colour (else copy). */
#define PIVLOFX_SPRITE_ALPHABLEND 16

/* Surface events reported by the host. */
#define PIVLOFX_SURFACE_LOST 1
#define PIVLOFX_SURFACE_RESTORED 2

typedef struct pivlofx_device pivlofx_device;
typedef struct pivlofx_texture pivlofx_texture;
typedef struct pivlofx_sprite pivlofx_sprite;

typedef void (*pivlofx_present_fn)(void* host, const unsigned char* pixels, int width, int height,
                                   int stride);

/* PIVLOFX_ABI_VERSION of the library. */
PIVLOFX_API int pivlofx_abi_version(void);

/* A device drawing a width x height back buffer (opaque black at first); present calls
 * the host function. NOTAVAILABLE for a size outside 1..16384. */
PIVLOFX_API int pivlofx_device_create(int width, int height, pivlofx_present_fn present, void* host,
                                      pivlofx_device** device);
PIVLOFX_API void pivlofx_device_release(pivlofx_device* device);
/* The texture capability bits (PIVLOFX_TEXTURECAPS_*). */
PIVLOFX_API int pivlofx_device_texture_caps(pivlofx_device* device);
PIVLOFX_API int pivlofx_device_begin_scene(pivlofx_device* device);
PIVLOFX_API int pivlofx_device_end_scene(pivlofx_device* device);
/* Fills the whole back buffer with the colour (no blending). Only inside a scene. */
PIVLOFX_API int pivlofx_device_clear(pivlofx_device* device, uint32_t argb);
/* Fills the rectangle (left, top, right, bottom; clipped to the back buffer) with the
 * colour (no blending). Only inside a scene. */
PIVLOFX_API int pivlofx_device_clear_rect(pivlofx_device* device, const int rect[4], uint32_t argb);
/* Hands the back buffer to the host. Not inside a scene; DEVICELOST while lost. */
PIVLOFX_API int pivlofx_device_present(pivlofx_device* device);
PIVLOFX_API int pivlofx_device_test_cooperative_level(pivlofx_device* device);
/* A new back buffer of the given size; DEVICELOST while the surface is still away. */
PIVLOFX_API int pivlofx_device_reset(pivlofx_device* device, int width, int height);
PIVLOFX_API void pivlofx_device_surface_event(pivlofx_device* device, int event);

/* A texture from encoded picture bytes (any format the platform decodes). The image
 * keeps its size and lies in the top-left corner; the rest of a larger texture is
 * transparent. width and height: a PIVLOFX_SIZE_* rule (0 counts as POW2) or a size
 * in pixels. INVALIDDATA when the bytes do not decode. */
PIVLOFX_API int pivlofx_texture_create(pivlofx_device* device, const void* bytes, int length, int width,
                                       int height, pivlofx_texture** texture);
PIVLOFX_API void pivlofx_texture_release(pivlofx_texture* texture);
/* The texture's size and the size of the image it was made from; any pointer may be null. */
PIVLOFX_API int pivlofx_texture_describe(pivlofx_texture* texture, int* width, int* height,
                                         int* image_width, int* image_height);

PIVLOFX_API int pivlofx_sprite_create(pivlofx_device* device, pivlofx_sprite** sprite);
PIVLOFX_API void pivlofx_sprite_release(pivlofx_sprite* sprite);
/* Begins a batch of draws (only inside a scene); flags: PIVLOFX_SPRITE_*. */
PIVLOFX_API int pivlofx_sprite_begin(pivlofx_sprite* sprite, int flags);
PIVLOFX_API int pivlofx_sprite_set_transform(pivlofx_sprite* sprite, const float matrix[16]);
/* Draws the rectangle (null: the whole texture) under the transform, its alpha
 * multiplied by the colour's alpha (red, green and blue of the colour do not tint). */
PIVLOFX_API int pivlofx_sprite_draw(pivlofx_sprite* sprite, pivlofx_texture* texture, const int rect[4],
                                    uint32_t argb);
PIVLOFX_API int pivlofx_sprite_end(pivlofx_sprite* sprite);
PIVLOFX_API int pivlofx_sprite_on_lost_device(pivlofx_sprite* sprite);
PIVLOFX_API int pivlofx_sprite_on_reset_device(pivlofx_sprite* sprite);

#ifdef __cplusplus
}
#endif
