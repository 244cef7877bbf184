# Frame and text pages, and the publishing of the picked colour.
