#include "ui/SkinImage.h"

#include "ui/PaintManagerUI.h"
#include "ui/SkinValue.h"

#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <memory>

namespace
{
struct LoadedImage
{
    QImage image;
    std::shared_ptr<QSvgRenderer> svg;
};

QHash<QString, LoadedImage>& Cache()
{
    static QHash<QString, LoadedImage> cache;
    return cache;
}

const LoadedImage& LoadImage(const QString& file)
{
    auto& cache = Cache();
    auto it = cache.find(file);
    if (it != cache.end())
        return it.value();
    LoadedImage loaded;
    QString path = CPaintManagerUI::GetResourcePath() + file;
    if (!QFileInfo::exists(path) && path.endsWith(".png", Qt::CaseInsensitive))
        path = path.left(path.size() - 4) + ".svg";
    if (path.endsWith(".svg", Qt::CaseInsensitive))
    {
        auto renderer = std::make_shared<QSvgRenderer>(path);
        if (renderer->isValid())
            loaded.svg = renderer;
    }
    else
        loaded.image = SkinImage::ReadPng(path);
    return cache.insert(file, loaded).value();
}

} // namespace

QImage SkinImage::ReadPng(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

namespace
{
// Draws the source part of img into target, keeping the corner borders unscaled.
void DrawNineSlice(QPainter& p, const QImage& img, const QRect& src, const QRect& target,
                   const RECT& c)
{
    if (c.left == 0 && c.top == 0 && c.right == 0 && c.bottom == 0)
    {
        p.drawImage(target, img, src);
        return;
    }
    const int sx[4] = {src.left(), src.left() + c.left, src.right() + 1 - c.right, src.right() + 1};
    const int sy[4] = {src.top(), src.top() + c.top, src.bottom() + 1 - c.bottom, src.bottom() + 1};
    const int tx[4] = {target.left(), target.left() + c.left, target.right() + 1 - c.right,
                       target.right() + 1};
    const int ty[4] = {target.top(), target.top() + c.top, target.bottom() + 1 - c.bottom,
                       target.bottom() + 1};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
        {
            const QRect s(QPoint(sx[col], sy[row]), QPoint(sx[col + 1] - 1, sy[row + 1] - 1));
            const QRect t(QPoint(tx[col], ty[row]), QPoint(tx[col + 1] - 1, ty[row + 1] - 1));
            if (s.isValid() && t.isValid())
                p.drawImage(t, img, s);
        }
}
} // namespace

SkinImage SkinImage::Parse(const QString& text)
{
    SkinImage img;
    const QString s = text.trimmed();
    if (s.isEmpty())
        return img;
    if (!s.contains('='))
    {
        img.m_file = s;
        return img;
    }
    // key='value' pairs, separated by blanks.
    qsizetype pos = 0;
    while (pos < s.size())
    {
        const qsizetype eq = s.indexOf('=', pos);
        if (eq < 0)
            break;
        const QString key = s.mid(pos, eq - pos).trimmed();
        qsizetype start = eq + 1;
        QChar quote = start < s.size() ? s[start] : QChar();
        QString value;
        if (quote == '\'' || quote == '"')
        {
            const qsizetype end = s.indexOf(quote, start + 1);
            value = s.mid(start + 1, (end < 0 ? s.size() : end) - start - 1);
            pos = end < 0 ? s.size() : end + 1;
        }
        else
        {
            qsizetype end = s.indexOf(' ', start);
            if (end < 0)
                end = s.size();
            value = s.mid(start, end - start);
            pos = end;
        }
        if (key == "res" || key == "file")
            img.m_file = value;
        else if (key == "dest")
        {
            img.m_dest = ParseSkinRect(value);
            img.m_hasDest = true;
        }
        else if (key == "source")
        {
            img.m_source = ParseSkinRect(value);
            img.m_hasSource = true;
        }
        else if (key == "corner")
            img.m_corner = ParseSkinRect(value);
        else if (key == "fade")
            img.m_fade = value.toInt();
    }
    return img;
}

bool SkinImage::Draw(QPainter& painter, const QRect& rc) const
{
    if (m_file.isEmpty())
        return false;
    const LoadedImage& loaded = LoadImage(m_file);
    QRect target = rc;
    if (m_hasDest)
        target = QRect(QPoint(rc.left() + m_dest.left, rc.top() + m_dest.top),
                       QPoint(rc.left() + m_dest.right - 1, rc.top() + m_dest.bottom - 1));
    if (!target.isValid())
        return false;
    painter.save();
    painter.setOpacity(painter.opacity() * m_fade / 255.0);
    bool drawn = false;
    if (loaded.svg)
    {
        loaded.svg->render(&painter, QRectF(target));
        drawn = true;
    }
    else if (!loaded.image.isNull())
    {
        QRect src = loaded.image.rect();
        if (m_hasSource)
            src = QRect(QPoint(m_source.left, m_source.top),
                        QPoint(m_source.right - 1, m_source.bottom - 1));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        DrawNineSlice(painter, loaded.image, src, target, m_corner);
        drawn = true;
    }
    painter.restore();
    return drawn;
}

void SkinImage::ClearCache()
{
    Cache().clear();
}
