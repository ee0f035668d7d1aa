<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<!-- English is the source text of every component: the English language
     library carries no translations of its own. -->
</TS>
