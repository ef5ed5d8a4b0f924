#include "platform/VideoPlayer.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace pathloom {

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kPlayerSize(400, 300);

}  // namespace

VideoPlayer::VideoPlayer(const QUrl& video, QWidget* parent)
    : QDialog(parent),
      m_sound(std::make_unique<QAudioOutput>()),
      m_player(std::make_unique<QMediaPlayer>()) {
    setObjectName(u"videoPlayer"_s);
    setWindowTitle(u"Video"_s);
    resize(kPlayerSize);
    auto* screen = new QVideoWidget(this);
    auto* done = new QPushButton(u"Done"_s, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(screen, 1);
    layout->addWidget(done);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    m_player->setAudioOutput(m_sound.get());
    m_player->setVideoOutput(screen);
    m_player->setSource(video);
    m_player->play();
}

VideoPlayer::~VideoPlayer() { m_player->stop(); }

VideoPlayer* VideoPlayer::play(const QUrl& video, QWidget* parent) {
    auto* player = new VideoPlayer(video, parent);
    player->setAttribute(Qt::WA_DeleteOnClose);
    player->open();
    return player;
}

}  // namespace pathloom
