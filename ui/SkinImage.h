#pragma once
// An image string of the skins, "res='skins/x.png' dest='l,t,r,b'" or just a
// file name, and its drawing. Files are relative to the resource folder; a PNG
// that is missing is taken from the SVG of the same name, drawn at the size
// it is shown.

#include "ui/UIDefs.h"

#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

class SkinImage
{
public:
    // Keys: res (or file), dest (relative to the control), source (part of the
    // image), corner (borders kept unscaled), fade (0..255).
    static SkinImage Parse(const QString& text);

    bool IsEmpty() const { return m_file.isEmpty(); }
    const QString& File() const { return m_file; }
    // Draws into a control occupying rc; false if the file cannot be read.
    bool Draw(QPainter& painter, const QRect& rc) const;

    // Reads a PNG as one: a reader left to guess the format loads every image
    // plugin Qt has first, which costs a start-up milliseconds. Null when the
    // file cannot be read as a PNG.
    static QImage ReadPng(const QString& path);

    // Forgets cached images (the resource folder changed).
    static void ClearCache();

private:
    QString m_file;
    RECT m_dest;
    bool m_hasDest = false;
    RECT m_source;
    bool m_hasSource = false;
    RECT m_corner;
    int m_fade = 255;
};
