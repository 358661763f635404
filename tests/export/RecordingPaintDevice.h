#pragma once

#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>

#include <memory>
#include <vector>

// A paint device that keeps what is painted on it instead of pixels: each text with the point
// it was drawn at (its baseline, in the painter's coordinates), each line, and the page it went
// on. Pages advance when the test calls NewPage.
class CRecordingPaintDevice : public QPaintDevice {
public:
    struct Text {
        int page;
        QString text;
        QPointF baseline;
        QFont font;
    };
    struct Line {
        int page;
        QLineF line;
        qreal width;
    };

    // A device of `width` by `height` pixels at `dotsPerInch`.
    CRecordingPaintDevice(int width, int height, int dotsPerInch);
    ~CRecordingPaintDevice() override;

    void NewPage() { ++m_nPage; }
    int PagesStarted() const { return m_nPage; }
    const std::vector<Text>& Texts() const { return m_texts; }
    const std::vector<Line>& Lines() const { return m_lines; }
    std::vector<Text> TextsOnPage(int page) const;
    std::vector<Line> LinesOnPage(int page) const;
    // The first text on `page` that equals `text`; nullptr when there is none.
    const Text* Find(int page, const QString& text) const;

    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class CEngine;

    int m_nWidth;
    int m_nHeight;
    int m_nDpi;
    int m_nPage = 1;
    std::vector<Text> m_texts;
    std::vector<Line> m_lines;
    std::unique_ptr<CEngine> m_engine;
};
