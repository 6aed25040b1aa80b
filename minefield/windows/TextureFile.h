#pragma once
#include <QByteArray>
#include <QImage>
#include <QStringList>
#include <string>

namespace mf {

// A texture the player picked: any picture the toolkit reads, BMP first of
// all, as 32-bit pixels. A null image when the bytes are no picture, or
// one too large to tile a board with.
QImage DecodeTexture(const QByteArray& bytes);

// The same from a file. Only a regular file is read, so a FIFO or a device
// given as the texture cannot stop the game at start.
QImage ReadTextureFile(const std::string& path);

// The file dialog's filters for a texture: first every picture format the
// reader takes (given as the first text), then bitmaps alone, then all files.
QStringList TextureNameFilters(const QString& pictures, const QString& bitmaps, const QString& allFiles);

}  // namespace mf
