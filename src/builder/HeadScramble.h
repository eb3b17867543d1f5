#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace pivlo {

// How many leading bytes are scrambled: of each resource item of a package, and of the
// player stub as it ships.
inline constexpr qsizetype kScrambledItemHead = 256;
inline constexpr qsizetype kScrambledStubHead = 5000;

// Keystream byte k: the integer part of r × 256, r being the (k + 1)-th value drawn from
// the generator freshly reseeded with the package seed. Defined for k below
// kScrambledStubHead.
quint8 KeystreamByte(qsizetype k);

// XORs the first min(256, n) bytes with the keystream; the rest stays. Applying it twice
// gives the bytes back.
void ScrambleHead(QByteArray& item);
// The same over the first min(5000, n) bytes: the head of the player stub.
void ScrambleStubHead(QByteArray& stub);

// Applies ScrambleStubHead to the head of the file in place, the rest untouched: turns
// the shipped stub into the runnable player and the player into the shipped stub. False
// when the file cannot be read or written.
bool UnscrambleStub(const QString& path);

}  // namespace pivlo
