#pragma once

#include <QDialog>
#include <QUrl>
#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace pathloom {

// A screen that plays one video with its sound, from a file or a web address, and closes with
// "Done". Made only when a video is to be played. Main thread only.
class VideoPlayer : public QDialog {
    Q_OBJECT

public:
    explicit VideoPlayer(const QUrl& video, QWidget* parent = nullptr);
    ~VideoPlayer() override;

    // Opens a player for `video` over `parent` without blocking; it goes when closed.
    static VideoPlayer* play(const QUrl& video, QWidget* parent);

private:
    std::unique_ptr<QAudioOutput> m_sound;
    std::unique_ptr<QMediaPlayer> m_player;
};

}  // namespace pathloom
