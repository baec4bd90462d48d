# Chinese runs have no spaces for groff to break or stretch at: fill the
# manual page ragged-right and let lines break after Chinese punctuation.
/^\.TH /a .ad l
s/，/，\\:/g
s/；/；\\:/g
s/。/。\\:/g
s/、/、\\:/g
s/：/：\\:/g
