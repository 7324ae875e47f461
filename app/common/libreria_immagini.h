#pragma once

// The picture library's session: initialised once at start-up, released at
// shut-down together with any bitmap still left open.
class LibreriaImmagini {
public:
    LibreriaImmagini() = default;
    ~LibreriaImmagini();
    LibreriaImmagini(const LibreriaImmagini&) = delete;
    LibreriaImmagini& operator=(const LibreriaImmagini&) = delete;

    void inizializza();
    // Releases the open bitmap, then the library; safe to call twice.
    void rilascia();
    // Releases the open bitmap, if any.
    void rilascia_bitmap();

    bool attiva() const { return attiva_; }

    // A bitmap left open by the new-tube window (a FIBITMAP*; null = none).
    void* bitmap_aperta = nullptr;

private:
    bool attiva_ = false;
};
