#include "Platform/Popups/ProgressView.h"

#include "Platform/Popups/Popup.h"

ProgressView::~ProgressView()
{
    // The popup it is in may outlive it.
    if (m_superview)
        m_superview->removeSubview(this);
}

void ProgressView::setProgress(float progress)
{
    m_progress = progress;
    changed();
}

void ProgressView::setCenter(double x, double y)
{
    m_centerX = x;
    m_centerY = y;
    changed();
}

void ProgressView::removeFromSuperview()
{
    if (m_superview)
        m_superview->removeSubview(this);
    m_superview = nullptr;
    changed();
}

void ProgressView::changed()
{
    if (m_observer)
        m_observer();
}
