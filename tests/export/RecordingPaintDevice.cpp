#include "export/RecordingPaintDevice.h"

#include <QTextItem>

#include <algorithm>
#include <limits>

class CRecordingPaintDevice::CEngine : public QPaintEngine {
public:
    explicit CEngine(CRecordingPaintDevice& device)
        : QPaintEngine(QPaintEngine::AllFeatures)
        , m_device(device)
    {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override
    {
        if (state.state() & QPaintEngine::DirtyPen) {
            m_penWidth = state.pen().widthF();
        }
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& point, const QTextItem& item) override
    {
        m_device.m_texts.push_back({m_device.m_nPage, item.text(), point, item.font()});
    }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            m_device.m_lines.push_back({m_device.m_nPage, lines[i], m_penWidth});
        }
    }
    void drawLines(const QLine* lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            m_device.m_lines.push_back({m_device.m_nPage, QLineF(lines[i]), m_penWidth});
        }
    }
    Type type() const override { return QPaintEngine::User; }

private:
    CRecordingPaintDevice& m_device;
    qreal m_penWidth = 0;
};

CRecordingPaintDevice::CRecordingPaintDevice(int width, int height, int dotsPerInch)
    : m_nWidth(width)
    , m_nHeight(height)
    , m_nDpi(dotsPerInch)
    , m_engine(std::make_unique<CEngine>(*this))
{}

CRecordingPaintDevice::~CRecordingPaintDevice() = default;

std::vector<CRecordingPaintDevice::Text> CRecordingPaintDevice::TextsOnPage(int page) const
{
    std::vector<Text> texts;
    std::copy_if(m_texts.begin(), m_texts.end(), std::back_inserter(texts),
                 [page](const Text& text) { return text.page == page; });
    return texts;
}

std::vector<CRecordingPaintDevice::Line> CRecordingPaintDevice::LinesOnPage(int page) const
{
    std::vector<Line> lines;
    std::copy_if(m_lines.begin(), m_lines.end(), std::back_inserter(lines),
                 [page](const Line& line) { return line.page == page; });
    return lines;
}

const CRecordingPaintDevice::Text* CRecordingPaintDevice::Find(int page, const QString& text) const
{
    const auto found = std::find_if(m_texts.begin(), m_texts.end(), [&](const Text& t) {
        return t.page == page && t.text == text;
    });
    return found == m_texts.end() ? nullptr : &*found;
}

QPaintEngine* CRecordingPaintDevice::paintEngine() const
{
    return m_engine.get();
}

int CRecordingPaintDevice::metric(PaintDeviceMetric metric) const
{
    constexpr double kMillimetresPerInch = 25.4;
    switch (metric) {
    case PdmWidth:
        return m_nWidth;
    case PdmHeight:
        return m_nHeight;
    case PdmWidthMM:
        return qRound(m_nWidth * kMillimetresPerInch / m_nDpi);
    case PdmHeightMM:
        return qRound(m_nHeight * kMillimetresPerInch / m_nDpi);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_nDpi;
    case PdmDepth:
        return 32;
    case PdmNumColors:
        return std::numeric_limits<int>::max();
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}
