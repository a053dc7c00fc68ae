#ifndef FLOWLAYOUT_H
#define FLOWLAYOUT_H

#include <QLayout>
#include <QList>

// Lays its items out left to right like a row of buttons, and carries on in a new row
// below when the next item would not fit the width: on a narrow screen every button stays
// in view, none is cut off. A stretch added with addStretch() pushes what follows it to the
// right end of its row.
class FlowLayout : public QLayout
{
public:
    explicit FlowLayout(QWidget *parent = nullptr);
    ~FlowLayout() override;

    void addStretch();

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Places the items in rect (only works them out when apply is false); returns the height.
    int arrange(const QRect &rect, bool apply) const;
    int spacingOrDefault() const;

    QList<QLayoutItem *> m_items;
};

#endif // FLOWLAYOUT_H
