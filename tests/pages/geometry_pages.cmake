# Resize and selection pages, and the page kit's spin edit.
