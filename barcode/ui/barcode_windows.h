#pragma once
// What the cards and barcodes subsystem brings to the program block.

class Tmain;

// Makes the report designs able to hold barcodes ("barcode", "dbbarcode").
// Called before any window or design is made.
void registerBarcodeElements();

// Makes the card window and the card and sample sheets known to the window set.
void defineBarcodeWindows();

// Connects the main-menu item of the occasion cards (administrators only).
void connectBarcodePages(Tmain& main);
